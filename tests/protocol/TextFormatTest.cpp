#include "protocol/TextFormat.h"
#include "support/CommaLocale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

using namespace tarvel;

namespace {
std::string Format(std::string_view form, std::vector<FormatArg> args) {
    return FormatText(form, args);
}
} // namespace

TEST(TextFormat, OneDecimalInAFieldOfFour) {
    EXPECT_EQ(Format("%4.1f", {2.2f}), " 2.2");
    EXPECT_EQ(Format("%4.1f", {12.5f}), "12.5");
    EXPECT_EQ(Format("%4.1f", {100.0f}), "100.0");
    EXPECT_EQ(Format("%4.1f", {-2.5f}), "-2.5");
    EXPECT_EQ(Format("%4.1f", {0.0f}), " 0.0");
}

TEST(TextFormat, RoundsTheDoubleValueOfTheSingleAsPrintfDoes) {
    EXPECT_EQ(Format("%4.1f", {2.45f}), " 2.5"); // 2.4500000476...
    EXPECT_EQ(Format("%4.1f", {1.05f}), " 1.0"); // 1.0499999523...
    EXPECT_EQ(Format("%4.1f", {0.05f}), " 0.1"); // 0.0500000007...
    EXPECT_EQ(Format("%4.1f", {9.95f}), " 9.9"); // 9.9499998092...
    EXPECT_EQ(Format("%4.1f", {0.25f}), " 0.2"); // an exact tie goes to the even digit
}

// A typed "-0", or a small negative value that rounds to nothing, is zero to the unit.
TEST(TextFormat, ZeroIsWrittenWithoutASign) {
    EXPECT_EQ(Format("ICNTZV %d %c %4.1f\r", {1, 'R', -0.0f}), "ICNTZV 1 R  0.0\r");
    EXPECT_EQ(Format("%4.1f", {-0.04f}), " 0.0");
    EXPECT_EQ(Format("%f", {-0.0f}), "0.000000");
    EXPECT_EQ(Format("%.0f", {-0.4f}), "0");
    EXPECT_EQ(Format("%d", {-0.0f}), "0");
    EXPECT_EQ(Format("%4.1f", {-0.05f}), "-0.1"); // -0.0500000007... is not zero
}

TEST(TextFormat, IntegersCharactersAndLiterals) {
    EXPECT_EQ(Format("*%dBLKGN %d %d!", {7, 2, 128}), "*7BLKGN 2 128!");
    EXPECT_EQ(Format("%d", {-4}), "-4");
    EXPECT_EQ(Format("%d", {-2147483647 - 1}), "-2147483648");
    EXPECT_EQ(Format("IINFOZV %1d\r", {3}), "IINFOZV 3\r");
    EXPECT_EQ(Format("%1d", {12}), "12");
    EXPECT_EQ(Format("%3d|", {5}), "  5|");
    EXPECT_EQ(Format("HALO %d %c %d %d\r", {1, 'R', 0, -3}), "HALO 1 R 0 -3\r");
    EXPECT_EQ(Format("100%% %d", {1}), "100% 1");
    EXPECT_EQ(Format("no placeholders\r\r", {}), "no placeholders\r\r");
}

TEST(TextFormat, MissingArgumentsWriteNothing) {
    EXPECT_EQ(Format("*%d !", {}), "* !");
    EXPECT_EQ(Format("%d %d", {1}), "1 ");
}

TEST(TextFormat, DecimalPointWhateverTheProcessLocale) {
    const test::CommaLocale locale;
    ASSERT_TRUE(locale.Active()) << "no locale with a decimal comma could be made";
    EXPECT_EQ(Format("%4.1f", {2.5f}), " 2.5") << "under " << locale.Name();
}
