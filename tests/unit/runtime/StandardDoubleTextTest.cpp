#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include "runtime/Text.h"

namespace {

std::string text(double value) {
    const rt::String wide = rt::standardDoubleText(value);
    return std::string(wide.begin(), wide.end());
}

double readBack(std::string s) {
    for (char& c : s) {
        if (c == 'E') c = 'e';
    }
    char* end = nullptr;
    const double value = std::strtod(s.c_str(), &end);
    EXPECT_EQ(*end, '\0') << s;
    return value;
}

TEST(StandardDoubleText, PlainBetweenOneThousandthAndTenMillion) {
    EXPECT_EQ(text(0.1), "0.1");
    EXPECT_EQ(text(0.5), "0.5");
    EXPECT_EQ(text(1.0 / 3.0), "0.3333333333333333");
    EXPECT_EQ(text(1e-3), "0.001");
    EXPECT_EQ(text(0.00123), "0.00123");
    EXPECT_EQ(text(1.0), "1.0");
    EXPECT_EQ(text(123.0), "123.0");
    EXPECT_EQ(text(100.0), "100.0");
    EXPECT_EQ(text(1234567.0), "1234567.0");
    EXPECT_EQ(text(9999999.999), "9999999.999");
    EXPECT_EQ(text(std::nextafter(1e7, 0.0)), "9999999.999999998");
}

TEST(StandardDoubleText, ExponentFormOutsideThatRange) {
    EXPECT_EQ(text(1e7), "1.0E7");
    EXPECT_EQ(text(123456789012345e0), "1.23456789012345E14");
    EXPECT_EQ(text(1e-4), "1.0E-4");
    EXPECT_EQ(text(9.999e-4), "9.999E-4");
    EXPECT_EQ(text(std::nextafter(1e-3, 0.0)), "9.999999999999998E-4");
    EXPECT_EQ(text(1e21), "1.0E21");
    EXPECT_EQ(text(5e-324), "5.0E-324");
    EXPECT_EQ(text(std::numeric_limits<double>::min()), "2.2250738585072014E-308");
    EXPECT_EQ(text(std::numeric_limits<double>::max()), "1.7976931348623157E308");
}

TEST(StandardDoubleText, SignsZeroAndSpecialValues) {
    EXPECT_EQ(text(0.0), "0.0");
    EXPECT_EQ(text(-0.0), "-0.0");
    EXPECT_EQ(text(-123.5), "-123.5");
    EXPECT_EQ(text(-0.001), "-0.001");
    EXPECT_EQ(text(-1e7), "-1.0E7");
    EXPECT_EQ(text(-std::numeric_limits<double>::max()), "-1.7976931348623157E308");
    EXPECT_EQ(text(std::numeric_limits<double>::quiet_NaN()), "NaN");
    EXPECT_EQ(text(std::numeric_limits<double>::infinity()), "Infinity");
    EXPECT_EQ(text(-std::numeric_limits<double>::infinity()), "-Infinity");
}

// Every finite double, read back, gives the same bits, and the text keeps the
// shape: a digit on each side of the point, exponent form exactly outside
// [1e-3, 1e7).
void expectRoundTrip(double value) {
    const std::string s = text(value);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(readBack(s)), std::bit_cast<std::uint64_t>(value)) << s;
    const std::size_t point = s.find('.');
    ASSERT_NE(point, std::string::npos) << s;
    ASSERT_GT(point, 0u) << s;
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(s[point - 1]))) << s;
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(s[point + 1]))) << s;
    const double magnitude = std::fabs(value);
    const bool plain = magnitude == 0.0 || (magnitude >= 1e-3 && magnitude < 1e7);
    EXPECT_EQ(s.find('E') == std::string::npos, plain) << s;
}

TEST(StandardDoubleText, RandomBitPatternsRoundTrip) {
    std::mt19937_64 random(20261207);
    for (int i = 0; i < 200000; ++i) {
        const double value = std::bit_cast<double>(random());
        if (std::isfinite(value)) expectRoundTrip(value);
    }
}

TEST(StandardDoubleText, RandomPlainRangeValuesRoundTrip) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> exponent(-3.5, 7.5);
    for (int i = 0; i < 200000; ++i) {
        const double value = std::pow(10.0, exponent(random));
        expectRoundTrip(i % 2 ? value : -value);
        expectRoundTrip(std::round(value * 1000.0) / 1000.0);
    }
}

}  // namespace
