#include "forms/Format.h"

#include <cmath>
#include <iostream>
#include <string>

namespace forms {

namespace {

// The fixed-point text before padding, following the steps in double
// arithmetic: round half up by adding half a unit, normalise into [1, 10),
// take 15 digits by truncation, place the point, cut at the precision.
rt::String fixedPoint(double x, int precision) {
    rt::String sign;
    if (x < 0.0) {
        sign = u"-";
        x = -x;
    }
    const int p = precision < 0 ? 0 : precision;
    double unit = 1.0;
    // Once the unit is zero, further divisions leave it zero.
    for (int i = 0; i < p && unit != 0.0; ++i) unit /= 10.0;
    double y = x + unit * 0.5;
    if (std::isinf(y)) return sign + u"Infinity";

    rt::String raw;
    if (y == 0.0) {
        // Only zero with a zero unit: nothing to normalise.
        raw = u"0.";
    } else {
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
        const std::int64_t truncated = std::isnan(y) ? 0 : static_cast<std::int64_t>(y);
        const rt::String digits = rt::decimalText(truncated);
        if (e < 0) {
            raw = sign + u"0." + rt::String(static_cast<std::size_t>(-e - 1), u'0') + digits;
        } else if (e <= 13) {
            const std::size_t whole = std::min(digits.size(), static_cast<std::size_t>(e) + 1);
            raw = sign + digits.substr(0, whole) + u"." + digits.substr(whole);
        } else {
            raw = sign + digits + rt::String(static_cast<std::size_t>(e - 14), u'0') + u".";
        }
    }
    const std::size_t point = raw.find(u'.');
    if (p == 0) return raw.substr(0, point);
    raw.append(static_cast<std::size_t>(p), u'0');
    return raw.substr(0, point + 1 + static_cast<std::size_t>(p));
}

}  // namespace

rt::String Format::padStringToWidth(char16_t code, const rt::String& text, int width) {
    if (width <= 0) return text;
    const std::size_t w = static_cast<std::size_t>(width);
    if (w < text.size()) return rt::String(w, u'*');
    const std::size_t spare = w - text.size();
    if (code == u'r' || code == u'R') return rt::String(spare, u' ') + text;
    if (code == u'l' || code == u'L') return text + rt::String(spare, u' ');
    const rt::String half(spare / 2, u' ');
    return half + text + half;
}

rt::String Format::justify(char16_t code, const rt::String& text, int width) {
    return padStringToWidth(code, text, width);
}

rt::String Format::justify(char16_t code, char16_t c, int width) {
    return padStringToWidth(code, rt::String(1, c), width);
}

rt::String Format::justify(char16_t code, double number, int width, int precision) {
    return padStringToWidth(code, fixedPoint(number, precision), width);
}

void Format::testJustify() { testJustify(std::cout); }

void Format::testJustify(std::ostream& out) {
    const auto line = [&out](const std::string& input, const rt::String& obtained,
                             const char* expected) {
        if (!input.empty()) out << input << " => ";
        out << rt::toUtf8(obtained) << ":::" << expected << '\n';
    };
    line("", justify(u'r', rt::String(u"abc"), 5), "  abc");
    line("", justify(u'l', rt::String(u"abc"), 5), "abc  ");
    line("", justify(u'c', rt::String(u"abc"), 4), "abc");
    line("", justify(u'c', rt::String(u"abc"), 6), " abc ");
    line("", justify(u'r', rt::String(u"abc"), 2), "**");
    line("", justify(u'r', rt::String(u"abc"), 0), "abc");
    out << '\n';
    line("", justify(u'r', u'a', 2), " a");
    line("", justify(u'l', u'a', 2), "a ");
    line("", justify(u'x', u'a', 2), "a");
    out << '\n';
    line("123", justify(u'r', 123, 0), "123");
    line("123", justify(u'r', 123, 4), " 123");
    line("123", justify(u'l', 123, 4), "123 ");
    line("123", justify(u'r', 123, 2), "**");
    line("-123", justify(u'r', -123, 5), " -123");
    line("-123", justify(u'l', -123, 6), "-123  ");
    line("-123", justify(u'r', -123, 3), "***");
    out << '\n';
    line("123.456", justify(u'r', 123.456, 0, 2), "123.46");
    line("123.5", justify(u'r', 123.5, 0, 0), "124");
    line("123.789", justify(u'r', 123.789, 0, 1), "123.8");
    line("0.001235", justify(u'r', 0.001235, 0, 5), "0.00124");
    line("0", justify(u'r', 0.0, 0, 0), "0");
    line("0", justify(u'r', 0.0, 0, 2), "0.00");
    line("0.789", justify(u'r', 0.789, 8, 5), " 0.78900");
    line("0.789", justify(u'r', 0.789, 5, 5), "*****");
    line("123", justify(u'r', 123.0, 0, -3), "123");
    line("-0.5", justify(u'r', -0.5, 0, 0), "-1");
    line("2.5", justify(u'r', 2.5, 0, 0), "3");
    line("0.125", justify(u'r', 0.125, 0, 2), "0.13");
    out << '\n';
    line("1.23456789012345E13", justify(u'r', 1.23456789012345E13, 0, 0), "12345678901235");
    line("1.23456789012345E14", justify(u'r', 1.23456789012345E14, 0, 0), "123456789012345");
    line("1.23456789012345E16", justify(u'r', 1.23456789012345E16, 0, 0), "12345678901234500");
    line("-1.23456789012345E16", justify(u'r', -1.23456789012345E16, 0, 0),
         "-12345678901234500");
    line("1/3", justify(u'r', 1.0 / 3.0, 0, 10), "0.3333333333");
    line("123456789.123456789", justify(u'r', 123456789.123456789, 0, 10),
         "123456789.1234560000");
    line("NaN", justify(u'r', std::nan(""), 0, 2), "0.00");
}

}  // namespace forms
