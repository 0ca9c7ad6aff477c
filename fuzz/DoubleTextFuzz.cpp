// The number texts. The standard double text reads back to exactly the
// same double (through strtod and through the numeric fields' own parser),
// no text with one significant digit fewer does, it is plain for
// magnitudes in [1e-3, 1e7) and in exponent form otherwise, with a digit on
// each side of the point. The decimal text of an integer is to_string's and
// reads back through the integer rule. Input: eight bytes.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "runtime/NumberText.h"
#include "runtime/Text.h"

namespace {

std::string ascii(const rt::String& text) {
    std::string out;
    for (const char16_t c : text) {
        if (c > 0x7F) __builtin_trap();
        out += static_cast<char>(c);
    }
    return out;
}

bool sameDouble(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The significant digits of a text "[-]digits.digits[E[-]digits]".
std::string significantDigits(const std::string& text) {
    std::string digits;
    for (const char c : text.substr(0, text.find('E'))) {
        if (c >= '0' && c <= '9') digits += c;
    }
    digits.erase(0, digits.find_first_not_of('0'));
    digits.erase(digits.find_last_not_of('0') + 1);
    return digits;
}

void checkShape(const std::string& text, double value) {
    const std::size_t point = text.find('.');
    const std::size_t e = text.find('E');
    const std::size_t start = text[0] == '-' ? 1 : 0;
    if (point == std::string::npos || point == start || point + 1 == std::min(e, text.size())) __builtin_trap();
    if ((text[0] == '-') != std::signbit(value)) __builtin_trap();
    const double magnitude = std::fabs(value);
    const bool plain = magnitude == 0.0 || (magnitude >= 1e-3 && magnitude < 1e7);
    if (plain != (e == std::string::npos)) __builtin_trap();
    if (!plain && (point != start + 1 || text[start] == '0' || text.find('+') != std::string::npos)) __builtin_trap();
}

void checkShortest(const std::string& text, double value) {
    const std::string digits = significantDigits(text);
    if (digits.size() > 17) __builtin_trap();
    if (digits.size() < 2) return;
    char shorter[40];
    std::snprintf(shorter, sizeof shorter, "%.*e", static_cast<int>(digits.size()) - 2, value);
    if (sameDouble(std::strtod(shorter, nullptr), value)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size != 8) return 0;
    double value;
    std::int64_t integer;
    std::memcpy(&value, data, 8);
    std::memcpy(&integer, data, 8);
    if (ascii(rt::decimalText(integer)) != std::to_string(integer)) __builtin_trap();
    const auto small = static_cast<std::int32_t>(integer);
    if (rt::parseInteger(rt::decimalText(small)) != small) __builtin_trap();

    const std::string text = ascii(rt::standardDoubleText(value));
    if (std::isnan(value)) return text == "NaN" ? 0 : (__builtin_trap(), 0);
    if (std::isinf(value)) return text == (value < 0 ? "-Infinity" : "Infinity") ? 0 : (__builtin_trap(), 0);
    if (!sameDouble(std::strtod(text.c_str(), nullptr), value)) __builtin_trap();
    const std::optional<double> parsed = rt::parseDouble(rt::standardDoubleText(value));
    if (!parsed || !sameDouble(*parsed, value)) __builtin_trap();
    checkShape(text, value);
    checkShortest(text, value);
    return 0;
}
