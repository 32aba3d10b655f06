#include "config/NumberFormat.h"

#include "support/CommaLocale.h"

#include <gtest/gtest.h>

#include <limits>

using namespace tarvel;

TEST(NumberFormat, GeneralKeepsAtMostTheGivenSignificantDigits) {
    EXPECT_EQ(FormatGeneral(3.8333333333, 3), "3.83");
    EXPECT_EQ(FormatGeneral(30.0, 3), "30");
    EXPECT_EQ(FormatGeneral(3.0, 3), "3");
    EXPECT_EQ(FormatGeneral(12.3456789, 5), "12.346");
    EXPECT_EQ(FormatGeneral(38.333333333, 5), "38.333");
    EXPECT_EQ(FormatGeneral(2.5, 3), "2.5");
    EXPECT_EQ(FormatGeneral(-2.5, 3), "-2.5");
    EXPECT_EQ(FormatGeneral(0.5, 3), "0.5");
    EXPECT_EQ(FormatGeneral(0.0, 3), "0");
    EXPECT_EQ(FormatGeneral(-0.0, 3), "0");
    EXPECT_EQ(FormatGeneral(9.996, 3), "10");   // rounding carries into a new digit
    EXPECT_EQ(FormatGeneral(999.6, 3), "1E+3"); // ... and out of plain notation
    EXPECT_EQ(FormatGeneral(999.4, 3), "999");
    EXPECT_EQ(FormatGeneral(1.005, 4), "1.005");
    EXPECT_EQ(FormatGeneral(7.6666666, 4), "7.667");
}

TEST(NumberFormat, GeneralSwitchesToExponentForLargeAndTinyValues) {
    EXPECT_EQ(FormatGeneral(123456.0, 3), "1.23E+5");
    EXPECT_EQ(FormatGeneral(123456.0, 6), "123456");
    EXPECT_EQ(FormatGeneral(1234.0, 3), "1.23E+3");
    EXPECT_EQ(FormatGeneral(-1234.0, 3), "-1.23E+3");
    EXPECT_EQ(FormatGeneral(100000.0, 5), "1E+5");
    EXPECT_EQ(FormatGeneral(0.00001, 5), "0.00001");
    EXPECT_EQ(FormatGeneral(0.000012345, 3), "0.0000123");
    EXPECT_EQ(FormatGeneral(0.000001, 5), "1E-6");
    EXPECT_EQ(FormatGeneral(0.0000015, 5), "1.5E-6");
    EXPECT_EQ(FormatGeneral(1e300, 3), "1E+300");
}

TEST(NumberFormat, FullIntAndSingle) {
    EXPECT_EQ(FormatFull(2944.0), "2944");
    EXPECT_EQ(FormatFull(3072.0), "3072");
    EXPECT_EQ(FormatFull(0.1), "0.1"); // 15 digits hide the binary error
    EXPECT_EQ(FormatFull(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(FormatFull(123456789012345678.0), "1.23456789012346E+17");

    EXPECT_EQ(FormatInt(38.9), "38");
    EXPECT_EQ(FormatInt(-2.5), "-2");
    EXPECT_EQ(FormatInt(-0.5), "0");
    EXPECT_EQ(FormatInt(384.0), "384");
    EXPECT_EQ(FormatInt(1e10), "10000000000");

    EXPECT_EQ(FormatSingle(2.2f), "2.2");
    EXPECT_EQ(FormatSingle(1.0f), "1");
    EXPECT_EQ(FormatSingle(4.5f), "4.5");
    EXPECT_EQ(FormatSingle(0.1f), "0.1");
}

TEST(NumberFormat, TruncateToIntNeverLeavesTheIntRange) {
    EXPECT_EQ(TruncateToInt(-8.59), -8);
    EXPECT_EQ(TruncateToInt(238.5), 238);
    EXPECT_EQ(TruncateToInt(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(TruncateToInt(-std::numeric_limits<double>::infinity()),
              std::numeric_limits<int>::min());
    EXPECT_EQ(TruncateToInt(1e12), std::numeric_limits<int>::max());
}

TEST(NumberFormat, ParseDoubleAcceptsPlainDecimalNumbers) {
    EXPECT_EQ(ParseDouble("2.5"), 2.5);
    EXPECT_EQ(ParseDouble("30"), 30.0);
    EXPECT_EQ(ParseDouble("-.5"), -0.5);
    EXPECT_EQ(ParseDouble("5."), 5.0);
    EXPECT_EQ(ParseDouble("+1e3"), 1000.0);
    EXPECT_EQ(ParseDouble("1E-2"), 0.01);
    EXPECT_EQ(ParseDouble("  12.5\t"), 12.5);
    EXPECT_EQ(ParseDouble("0"), 0.0);
}

TEST(NumberFormat, ParseDoubleRefusesAnythingElse) {
    for (const char* text : {"",     "   ", "+",   "-",   ".",    "abc",      "2,5",   "12abc",
                             "1 2",  "nan", "NaN", "inf", "-inf", "infinity", "1e999", "-1e999",
                             "0x10", "++1", "+-1", "1e",  "e5",   "1.2.3",    "1e+"}) {
        EXPECT_EQ(ParseDouble(text), std::nullopt) << '"' << text << '"';
    }
}

TEST(NumberFormat, ParseIntAcceptsDecimalIntegersOnly) {
    EXPECT_EQ(ParseInt("64"), 64);
    EXPECT_EQ(ParseInt("-3"), -3);
    EXPECT_EQ(ParseInt("+7"), 7);
    EXPECT_EQ(ParseInt(" 100 "), 100);
    EXPECT_EQ(ParseInt("2147483647"), 2147483647);
    EXPECT_EQ(ParseInt("-2147483648"), std::numeric_limits<int>::min());
    for (const char* text : {"", " ", "+", "-", "64.0", "6e1", "1,000", "x64", "64x", "2147483648",
                             "-2147483649", "+-1", "0x40"}) {
        EXPECT_EQ(ParseInt(text), std::nullopt) << '"' << text << '"';
    }
}

TEST(NumberFormat, IgnoresALocaleWithADecimalComma) {
    test::CommaLocale comma;
    if (!comma.Active())
        GTEST_SKIP() << "no locale with a decimal comma could be set or compiled";
    EXPECT_EQ(FormatGeneral(38.333333, 5), "38.333");
    EXPECT_EQ(FormatGeneral(123456.0, 3), "1.23E+5");
    EXPECT_EQ(FormatFull(2944.5), "2944.5");
    EXPECT_EQ(FormatSingle(2.2f), "2.2");
    EXPECT_EQ(ParseDouble("2.5"), 2.5);
    EXPECT_EQ(ParseDouble("2,5"), std::nullopt);
}
