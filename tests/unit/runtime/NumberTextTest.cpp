#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <string>

#include "runtime/NumberText.h"

namespace {

using rt::parseDouble;
using rt::parseInteger;

TEST(IntegerRule, SignedThirtyTwoBitDecimalsOnly) {
    EXPECT_EQ(parseInteger(u"42"), 42);
    EXPECT_EQ(parseInteger(u" \t42 \n"), 42);
    EXPECT_EQ(parseInteger(u"-17"), -17);
    EXPECT_EQ(parseInteger(u"0007"), 7);
    EXPECT_EQ(parseInteger(u"-0"), 0);
    EXPECT_EQ(parseInteger(u"2147483647"), 2147483647);
    EXPECT_EQ(parseInteger(u"-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(parseInteger(u"000000000000000000002147483647"), 2147483647);
    for (const char16_t* bad : {u"", u"   ", u"-", u"+5", u"2147483648", u"-2147483649", u"12a",
                                u"1.0", u"1,000", u"1 000", u"--1", u"0x10", u"\uff11\uff12",
                                u"\u0661", u"99999999999999999999999999"}) {
        EXPECT_EQ(parseInteger(bad), std::nullopt) << rt::toUtf8(bad);
    }
}

TEST(IntegerRule, VeryLongTextsAreRefusedWithoutOverflow) {
    EXPECT_EQ(parseInteger(rt::String(100000, u'9')), std::nullopt);
    EXPECT_EQ(parseInteger(u"-" + rt::String(100000, u'0') + u"5"), -5);
}

TEST(FloatingRule, DecimalSyntaxWithOptionalPointAndExponent) {
    EXPECT_EQ(parseDouble(u"3.14159"), 3.14159);
    EXPECT_EQ(parseDouble(u"  -2.5  "), -2.5);
    EXPECT_EQ(parseDouble(u"+7"), 7.0);
    EXPECT_EQ(parseDouble(u"5."), 5.0);
    EXPECT_EQ(parseDouble(u".5"), 0.5);
    EXPECT_EQ(parseDouble(u"1e3"), 1000.0);
    EXPECT_EQ(parseDouble(u"1.5E-2"), 0.015);
    EXPECT_EQ(parseDouble(u"-1.0E+7"), -1.0e7);
    EXPECT_EQ(parseDouble(u"0e99999999999999999999"), 0.0);
    const std::optional<double> negativeZero = parseDouble(u"-0.0");
    ASSERT_TRUE(negativeZero);
    EXPECT_TRUE(std::signbit(*negativeZero));
    for (const char16_t* bad :
         {u"", u" ", u".", u"-", u"+.", u"e5", u"1e", u"1e+", u"1.2.3", u"1,5", u"12a", u"1 2",
          u"NaN", u"Infinity", u"-Infinity", u"inf", u"0x1p3", u"1.5d", u"2f", u"--1", u"\uff11",
          u"\u0661.5", u"1e5.0"}) {
        EXPECT_EQ(parseDouble(bad), std::nullopt) << rt::toUtf8(bad);
    }
}

TEST(FloatingRule, NearestDoubleAtTheEdgesOfTheRange) {
    EXPECT_EQ(parseDouble(u"1.7976931348623157e308"), std::numeric_limits<double>::max());
    EXPECT_EQ(parseDouble(u"1e400"), std::nullopt);
    EXPECT_EQ(parseDouble(u"-1e400"), std::nullopt);
    EXPECT_EQ(parseDouble(u"1" + rt::String(400, u'0')), std::nullopt);
    EXPECT_EQ(parseDouble(u"4.9e-324"), std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(parseDouble(u"1e-400"), 0.0);
    const std::optional<double> tiny = parseDouble(u"-0." + rt::String(400, u'0') + u"1");
    ASSERT_TRUE(tiny);
    EXPECT_EQ(*tiny, 0.0);
    EXPECT_TRUE(std::signbit(*tiny));
    EXPECT_EQ(parseDouble(u"1e-99999999999999999999999"), 0.0);
    EXPECT_EQ(parseDouble(u"1e99999999999999999999999"), std::nullopt);
    // Half-way between two doubles, decided by a digit far down a long text.
    EXPECT_EQ(parseDouble(u"9007199254740993"), 9007199254740992.0);
    EXPECT_EQ(parseDouble(u"9007199254740993" + rt::String(1, u'.') + rt::String(5000, u'0') + u"1"),
              9007199254740994.0);
}

TEST(FloatingRule, ShortestTextsReadBackExactly) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> decade(-300, 300);
    for (int i = 0; i < 300; ++i) {
        const double value = mantissa(random) * std::pow(10.0, decade(random));
        EXPECT_EQ(parseDouble(rt::standardDoubleText(value)), value) << value;
    }
}

}  // namespace
