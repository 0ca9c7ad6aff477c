#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <sstream>
#include <string>

#include "forms/Format.h"

namespace {

using forms::Format;

std::string ascii(const rt::String& text) { return rt::toUtf8(text); }

std::string fixed(double x, int precision, int width = 0, char16_t code = u'r') {
    return ascii(Format::justify(code, x, width, precision));
}

TEST(Format, TextsAreAlignedPaddedOrStarred) {
    const rt::String abc = u"abc";
    EXPECT_EQ(ascii(Format::justify(u'r', abc, 5)), "  abc");
    EXPECT_EQ(ascii(Format::justify(u'R', abc, 5)), "  abc");
    EXPECT_EQ(ascii(Format::justify(u'l', abc, 5)), "abc  ");
    EXPECT_EQ(ascii(Format::justify(u'L', abc, 5)), "abc  ");
    EXPECT_EQ(ascii(Format::justify(u'c', abc, 4)), "abc");
    EXPECT_EQ(ascii(Format::justify(u'c', abc, 6)), " abc ");
    EXPECT_EQ(ascii(Format::justify(u'c', abc, 7)), "  abc  ");
    EXPECT_EQ(ascii(Format::justify(u'r', abc, 3)), "abc");
    EXPECT_EQ(ascii(Format::justify(u'r', abc, 2)), "**");
    EXPECT_EQ(ascii(Format::justify(u'r', abc, 0)), "abc");
    EXPECT_EQ(ascii(Format::justify(u'r', abc, -1)), "abc");
    EXPECT_EQ(ascii(Format::justify(u'r', rt::String(), 0)), "");
    EXPECT_EQ(ascii(Format::justify(u'l', rt::String(), 2)), "  ");
    // Lengths count 16-bit characters.
    EXPECT_EQ(Format::justify(u'r', rt::String(u"\u00e9t\u00e9"), 4), u" \u00e9t\u00e9");
}

TEST(Format, CharactersAndIntegers) {
    EXPECT_EQ(ascii(Format::justify(u'r', u'a', 2)), " a");
    EXPECT_EQ(ascii(Format::justify(u'l', u'a', 2)), "a ");
    EXPECT_EQ(ascii(Format::justify(u'x', u'a', 2)), "a");
    EXPECT_EQ(ascii(Format::justify(u'r', u'a', 0)), "a");

    EXPECT_EQ(ascii(Format::justify(u'r', 123, 0)), "123");
    EXPECT_EQ(ascii(Format::justify(u'r', 123, 4)), " 123");
    EXPECT_EQ(ascii(Format::justify(u'l', 123, 4)), "123 ");
    EXPECT_EQ(ascii(Format::justify(u'r', 123, 2)), "**");
    EXPECT_EQ(ascii(Format::justify(u'r', -123, 5)), " -123");
    EXPECT_EQ(ascii(Format::justify(u'l', -123, 6)), "-123  ");
    EXPECT_EQ(ascii(Format::justify(u'r', -123, 3)), "***");
    EXPECT_EQ(ascii(Format::justify(u'r', std::numeric_limits<std::int64_t>::min(), 0)),
              "-9223372036854775808");
    const short small = -7;
    EXPECT_EQ(ascii(Format::justify(u'r', small, 3)), " -7");
    EXPECT_EQ(ascii(Format::justify(u'l', 42u, 3)), "42 ");
    EXPECT_EQ(ascii(Format::justify(u'r', std::numeric_limits<std::uint64_t>::max(), 0)),
              "18446744073709551615");
    EXPECT_EQ(ascii(Format::justify(u'r', std::size_t{7}, 2)), " 7");
    // Characters of any type are characters, not their codes.
    EXPECT_EQ(ascii(Format::justify(u'r', 'a', 2)), " a");
}

TEST(Format, WorkedFixedPointCases) {
    EXPECT_EQ(fixed(123.456, 2), "123.46");
    EXPECT_EQ(fixed(123.5, 0), "124");
    EXPECT_EQ(fixed(123.789, 1), "123.8");
    EXPECT_EQ(fixed(0.001235, 5), "0.00124");
    EXPECT_EQ(fixed(0.0, 0), "0");
    EXPECT_EQ(fixed(0.0, 2), "0.00");
    EXPECT_EQ(fixed(1.23456789012345E13, 0), "12345678901235");
    EXPECT_EQ(fixed(1.23456789012345E14, 0), "123456789012345");
    EXPECT_EQ(fixed(1.23456789012345E16, 0), "12345678901234500");
    EXPECT_EQ(fixed(0.789, 5, 8), " 0.78900");
    EXPECT_EQ(fixed(0.789, 5, 5), "*****");
    EXPECT_EQ(fixed(123.0, -3), "123");
}

TEST(Format, FixedPointEdges) {
    EXPECT_EQ(fixed(-123.0, 0), "-123");
    EXPECT_EQ(fixed(-0.5, 0), "-1");
    EXPECT_EQ(fixed(2.5, 0), "3");
    EXPECT_EQ(fixed(0.125, 2), "0.13");
    EXPECT_EQ(fixed(-1.23456789012345E16, 0), "-12345678901234500");
    EXPECT_EQ(fixed(1.0 / 3.0, 10), "0.3333333333");
    EXPECT_EQ(fixed(123456789.123456789, 10), "123456789.1234560000");
    EXPECT_EQ(fixed(-0.0, 1), "0.0");
    // A negative value that rounds to zero keeps its sign.
    EXPECT_EQ(fixed(-0.001, 2), "-0.00");
    EXPECT_EQ(fixed(9.999, 2), "10.00");
    EXPECT_EQ(fixed(-123.0, 0, 6, u'l'), "-123  ");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(fixed(nan, 0), "0");
    EXPECT_EQ(fixed(nan, 1), "0.0");
    EXPECT_EQ(fixed(-nan, 3), "0.000");
}

TEST(Format, UnrepresentableValuesTerminate) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(fixed(inf, 2), "Infinity");
    EXPECT_EQ(fixed(-inf, 0), "-Infinity");
    EXPECT_EQ(fixed(inf, 2, 10), "  Infinity");
    EXPECT_EQ(fixed(-inf, 2, 4), "****");
    // The unit 10^-p is zero in double arithmetic from 324 digits on.
    EXPECT_EQ(fixed(0.0, 400), "0." + std::string(400, '0'));
    EXPECT_EQ(fixed(1.5, 330), "1.5" + std::string(329, '0'));
    EXPECT_EQ(fixed(std::numeric_limits<double>::denorm_min(), 330).substr(0, 7), "0.00000");
    EXPECT_EQ(fixed(std::numeric_limits<double>::max(), 0),
              "17976931348623100" + std::string(292, '0'));
}

// Decimal digits of the integer part of a finite double below 2^63, read
// exactly from its binary mantissa and exponent.
std::string integerPartDigits(double z) {
    int exponent = 0;
    const double mantissa = std::frexp(z, &exponent);
    const auto bits = static_cast<std::uint64_t>(std::ldexp(mantissa, 53));
    exponent -= 53;
    std::uint64_t whole = 0;
    if (exponent >= 0) {
        whole = bits << exponent;
    } else if (exponent > -64) {
        whole = bits >> -exponent;
    }
    return std::to_string(whole);
}

// The same steps as the formatter in double arithmetic, but the text worked
// out from the exact value N x 10^(e - 14) of the kept digits N, one decimal
// place at a time.
std::string reference(double x, int precision) {
    const bool negative = x < 0.0;
    if (negative) x = -x;
    const int p = std::max(precision, 0);
    double unit = 1.0;
    for (int i = 0; i < p; ++i) unit /= 10.0;
    double y = x + unit * 0.5;
    int e = 0;
    while (y >= 10.0) {
        y /= 10.0;
        ++e;
    }
    while (y < 1.0) {
        y *= 10.0;
        --e;
    }
    for (int i = 0; i < 14; ++i) y *= 10.0;
    const std::string digits = integerPartDigits(y);
    const int lowest = e - 14;
    const int highest = lowest + static_cast<int>(digits.size()) - 1;
    const auto digitAt = [&](int place) {
        return place >= lowest && place <= highest ? digits[static_cast<std::size_t>(highest - place)]
                                                   : '0';
    };
    std::string text = negative ? "-" : "";
    for (int place = std::max(highest, 0); place >= 0; --place) text += digitAt(place);
    if (p > 0) text += '.';
    for (int place = -1; place >= -p; --place) text += digitAt(place);
    return text;
}

TEST(Format, RandomValuesMatchAnExactDecimalReading) {
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> decade(-12, 40);
    std::uniform_int_distribution<int> digits(-2, 12);
    for (int i = 0; i < 600; ++i) {
        const double x = mantissa(random) * std::pow(10.0, decade(random));
        const int p = digits(random);
        SCOPED_TRACE(testing::Message() << std::hexfloat << x << " precision " << p);
        EXPECT_EQ(fixed(x, p), reference(x, p));
    }
    // Values with few digits, where half-way cases and carries are common.
    std::uniform_int_distribution<int> small(-99999, 99999);
    for (int i = 0; i < 300; ++i) {
        const double x = small(random) / 1000.0;
        const int p = digits(random) % 5;
        SCOPED_TRACE(testing::Message() << x << " precision " << p);
        EXPECT_EQ(fixed(x, p), reference(x, p));
    }
}

TEST(Format, SelfTestPrintsEveryCaseAsObtainedBesideExpected) {
    std::ostringstream out;
    Format::testJustify(out);
    std::istringstream lines(out.str());
    std::string line;
    int cases = 0;
    int groups = 1;
    while (std::getline(lines, line)) {
        if (line.empty()) {
            ++groups;
            continue;
        }
        const std::size_t colons = line.find(":::");
        ASSERT_NE(colons, std::string::npos) << line;
        const std::string expected = line.substr(colons + 3);
        ASSERT_GE(colons, expected.size()) << line;
        EXPECT_EQ(line.substr(colons - expected.size(), expected.size()), expected) << line;
        ++cases;
    }
    EXPECT_EQ(groups, 5);
    EXPECT_GE(cases, 35);
}

}  // namespace
