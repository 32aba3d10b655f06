#include "CpuTime.h"

#include "platform/Waiter.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvel {
namespace {

TEST(WaiterTest, AConditionMetByATimerEndsTheWait) {
    bool done = false;
    QTimer::singleShot(50, [&] { done = true; });
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(Waiter::WaitUntil([&] { return done; }, 5000));
    EXPECT_LT(clock.elapsed(), 5000);
}

TEST(WaiterTest, TheDeadlineEndsAWaitWhoseConditionNeverHolds) {
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(Waiter::WaitUntil([] { return false; }, 150));
    EXPECT_GE(clock.elapsed(), 149);
}

TEST(WaiterTest, AConditionThatAlreadyHoldsReturnsWithoutRunningMessages) {
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    EXPECT_TRUE(Waiter::WaitUntil([] { return true; }, 1000));
    EXPECT_FALSE(ran);
    Waiter::ProcessPendingMessages();
    EXPECT_TRUE(ran) << "pending messages run once";
}

TEST(WaiterTest, SleepLetsTimersRun) {
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(10);
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(Waiter::Sleep(200));
    EXPECT_GE(clock.elapsed(), 199);
    EXPECT_GE(ticks, 5);
}

// A box shown from a timer during a wait runs its own wait; the outer condition comes true
// while the inner wait is still running.
TEST(WaiterTest, NestedWaitsEachEndOnTheirOwnTermsInnermostFirst) {
    bool outerDone = false;
    bool innerDone = false;
    std::vector<std::string> order;
    int innerDepth = 0;
    double innerCpu = 0;
    qint64 innerMs = 0;

    QTimer::singleShot(20, [&] {
        QTimer::singleShot(30, [&] { outerDone = true; });
        QTimer::singleShot(300, [&] { innerDone = true; });
        innerDepth = Waiter::Depth();
        QElapsedTimer clock;
        clock.start();
        const double cpuBefore = test::CpuMs();
        const bool inner = Waiter::WaitUntil([&] { return innerDone; }, 5000);
        innerCpu = test::CpuMs() - cpuBefore;
        innerMs = clock.elapsed();
        order.push_back(inner ? "inner" : "inner timed out");
    });

    EXPECT_EQ(Waiter::Depth(), 0);
    const bool outer = Waiter::WaitUntil([&] { return outerDone; }, 5000);
    order.push_back(outer ? "outer" : "outer timed out");

    EXPECT_EQ(order, (std::vector<std::string>{"inner", "outer"}));
    EXPECT_EQ(innerDepth, 1) << "the outer wait was running when the box came";
    EXPECT_GE(innerMs, 250) << "the outer condition did not end the inner wait";
    EXPECT_LT(innerCpu, 100.0) << "an ended outer wait must not make the inner one spin";
    EXPECT_EQ(Waiter::Depth(), 0);
}

TEST(WaiterTest, ADeadlinePassingDuringANestedWaitEndsTheOuterWaitAfterwards) {
    bool innerDone = false;
    bool innerResult = false;
    QTimer::singleShot(10, [&] {
        QTimer::singleShot(200, [&] { innerDone = true; });
        innerResult = Waiter::WaitUntil([&] { return innerDone; }, 5000);
    });
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(Waiter::WaitUntil([] { return false; }, 50));
    EXPECT_TRUE(innerResult);
    EXPECT_GE(clock.elapsed(), 190) << "the outer wait returns only once the inner one is done";
}

TEST(WaiterTest, DestroyingTheContextEndsTheWaitCleanly) {
    auto* window = new QObject;
    bool gone = false;
    int checksAfterDestruction = 0;
    QTimer::singleShot(50, [&] {
        delete window;
        gone = true;
    });
    QElapsedTimer clock;
    clock.start();
    const bool result = Waiter::WaitUntil(
        [&] {
            checksAfterDestruction += gone ? 1 : 0;
            return false;
        },
        5000, window);
    EXPECT_FALSE(result);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(checksAfterDestruction, 0);

    auto* port = new QObject;
    QTimer::singleShot(30, [&] { delete port; });
    EXPECT_FALSE(Waiter::Sleep(5000, port));
}

// A stop ends every wait started inside its scope (a condition wait and a sleep alike), at
// once, and not a wait that was already running when the scope began.
TEST(WaiterTest, AStopScopeEndsTheWaitsStartedInsideItOnly) {
    bool stop = false;
    bool outerEnded = false;
    bool outerResult = true;
    std::vector<std::string> order;
    QTimer::singleShot(20, [&] {
        const Waiter::StopScope scope([&] { return stop; });
        QTimer::singleShot(30, [&] { stop = true; });
        QElapsedTimer clock;
        clock.start();
        EXPECT_FALSE(Waiter::WaitUntil([] { return false; }, 5000));
        EXPECT_LT(clock.elapsed(), 2000);
        EXPECT_FALSE(outerEnded) << "the outer wait keeps waiting";
        EXPECT_TRUE(Waiter::Sleep(5000)) << "stopped at once";
        EXPECT_LT(clock.elapsed(), 2000);
        order.push_back("inner");
    });
    QTimer::singleShot(300, [&] { order.push_back("outer deadline"); });
    QElapsedTimer clock;
    clock.start();
    outerResult = Waiter::WaitUntil([&] { return order.size() == 2; }, 5000);
    outerEnded = true;
    EXPECT_TRUE(outerResult);
    EXPECT_EQ(order, (std::vector<std::string>{"inner", "outer deadline"}));
    EXPECT_GE(clock.elapsed(), 290) << "the stop did not end the wait begun before its scope";
    stop = true;
    clock.restart();
    EXPECT_FALSE(Waiter::WaitUntil([] { return false; }, 100));
    EXPECT_GE(clock.elapsed(), 99) << "the scope is gone, and its stop with it";
}

TEST(WaiterTest, AnIdleWaitUsesNoProcessorTime) {
    const double before = test::CpuMs();
    EXPECT_FALSE(Waiter::WaitUntil([] { return false; }, 1000));
    EXPECT_LT(test::CpuMs() - before, 100.0);
}

} // namespace
} // namespace tarvel
