#include "sim/FormatMatch.h"

#include <gtest/gtest.h>

using namespace tarvel;

TEST(FormatMatch, ReadsValuesWrittenByTheFormat) {
    CommandArguments a;
    ASSERT_TRUE(MatchFormat(" %d %c %d %4.1f %d %d", " 2 L 1  2.5 64 -3", a));
    ASSERT_EQ(a.size(), 6u);
    EXPECT_EQ(a[0].Int, 2);
    EXPECT_EQ(a[1].Char, 'L');
    EXPECT_EQ(a[2].Int, 1);
    EXPECT_DOUBLE_EQ(a[3].Real, 2.5);
    EXPECT_EQ(a[4].Int, 64);
    EXPECT_EQ(a[5].Int, -3);

    ASSERT_TRUE(MatchFormat(" %d %4.1f", " 3 100.5", a)); // wider than the field
    EXPECT_DOUBLE_EQ(a[1].Real, 100.5);
    ASSERT_TRUE(MatchFormat("*%dIINFOZV %1d!", "*32IINFOZV 4!", a));
    EXPECT_EQ(a[0].Int, 32);
    EXPECT_EQ(a[1].Int, 4);
    EXPECT_TRUE(MatchFormat("", "", a));
}

TEST(FormatMatch, RefusesTextTheFormatWouldNotWrite) {
    CommandArguments a;
    EXPECT_FALSE(MatchFormat(" %d %4.1f", " 1 2.2", a));   // "%4.1f" pads to four
    EXPECT_FALSE(MatchFormat(" %d %4.1f", " 1  2.20", a)); // one decimal only
    EXPECT_FALSE(MatchFormat(" %d %4.1f", " 1    2", a));
    EXPECT_FALSE(MatchFormat(" %d", " 07", a));
    EXPECT_FALSE(MatchFormat(" %d", "  7", a));
    EXPECT_FALSE(MatchFormat(" %d", " +7", a));
    EXPECT_FALSE(MatchFormat(" %d", " 7 ", a)); // trailing text
    EXPECT_FALSE(MatchFormat(" %d", "", a));
    EXPECT_FALSE(MatchFormat(" %d", " x", a));
    EXPECT_FALSE(MatchFormat(" %d", " 99999999999", a)); // beyond 32 bits
    EXPECT_FALSE(MatchFormat(" %d M %d", " 1 m 5", a));  // literal letters are exact
    EXPECT_FALSE(MatchFormat(" %c", "", a));
}
