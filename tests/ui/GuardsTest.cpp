#include "ui/BusyGuard.h"
#include "ui/UpdatingControlsGuard.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tarvel {
namespace {

TEST(BusyGuardTest, TheFirstHandlerHoldsBusyAndANestedOneIsTurnedAway) {
    FormState state;
    {
        BusyGuard outer(state);
        EXPECT_TRUE(outer);
        EXPECT_EQ(state.Busy, 1);
        {
            BusyGuard inner(state);
            EXPECT_FALSE(inner);
        }
        EXPECT_EQ(state.Busy, 1) << "the turned-away handler must not clear the holder's Busy";
    }
    EXPECT_EQ(state.Busy, 0);
}

TEST(BusyGuardTest, BusyIsClearedWhenTheHandlerLeavesByAnException) {
    FormState state;
    EXPECT_THROW(
        {
            BusyGuard busy(state);
            throw std::runtime_error("send failed");
        },
        std::runtime_error);
    EXPECT_EQ(state.Busy, 0);
}

TEST(BusyGuardTest, ABusySetElsewhereIsLeftAlone) {
    FormState state;
    state.Busy = 1;
    {
        BusyGuard busy(state);
        EXPECT_FALSE(busy);
    }
    EXPECT_EQ(state.Busy, 1);
}

TEST(UpdatingControlsGuardTest, GivesBackThePreviousValueSoAnOuterFillStaysGuarded) {
    FormState state;
    {
        UpdatingControlsGuard outer(state);
        {
            UpdatingControlsGuard inner(state);
            EXPECT_TRUE(state.UpdatingControls);
        }
        EXPECT_TRUE(state.UpdatingControls);
    }
    EXPECT_FALSE(state.UpdatingControls);
}

} // namespace
} // namespace tarvel
