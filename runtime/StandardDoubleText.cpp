#include "runtime/Text.h"

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace rt {
namespace {

// Shortest round-trip digits of a finite, non-negative value and its decimal
// exponent: value = d.ddd x 10^exponent.
struct Digits {
    std::string digits;
    int exponent = 0;
};

Digits shortestDigits(double magnitude) {
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    const std::string_view text(buffer, result.ptr - buffer);
    const std::size_t e = text.find('e');
    Digits out;
    for (const char c : text.substr(0, e)) {
        if (c != '.') out.digits += c;
    }
    const std::string_view exponent = text.substr(e + 1);
    const std::size_t skip = exponent.front() == '+' ? 1 : 0;
    std::from_chars(exponent.data() + skip, exponent.data() + exponent.size(), out.exponent);
    return out;
}

// At least one digit on each side of the point.
std::string withPoint(const std::string& whole, const std::string& fraction) {
    return whole + '.' + (fraction.empty() ? "0" : fraction);
}

std::string plainText(const Digits& d) {
    if (d.exponent < 0) return "0." + std::string(-d.exponent - 1, '0') + d.digits;
    const std::size_t whole = static_cast<std::size_t>(d.exponent) + 1;
    std::string digits = d.digits;
    if (digits.size() < whole) digits.append(whole - digits.size(), '0');
    return withPoint(digits.substr(0, whole), digits.substr(whole));
}

std::string exponentText(const Digits& d) {
    return withPoint(d.digits.substr(0, 1), d.digits.substr(1)) + 'E' + std::to_string(d.exponent);
}

std::string asciiText(double value) {
    if (std::isnan(value)) return "NaN";
    const std::string sign = std::signbit(value) ? "-" : "";
    if (std::isinf(value)) return sign + "Infinity";
    const Digits d = shortestDigits(std::fabs(value));
    const bool plain = value == 0.0 || (d.exponent >= -3 && d.exponent < 7);
    return sign + (plain ? plainText(d) : exponentText(d));
}

}  // namespace

String standardDoubleText(double value) {
    const std::string text = asciiText(value);
    return String(text.begin(), text.end());
}

}  // namespace rt
