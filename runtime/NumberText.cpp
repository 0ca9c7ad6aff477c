#include "runtime/NumberText.h"

#include <charconv>
#include <cstddef>
#include <limits>
#include <string>
#include <system_error>

namespace rt {

namespace {

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The decimal syntax of parseDouble, read from an ASCII copy of the text,
// with the rough decimal order of the value (its power of ten) that tells an
// overflow from an underflow.
struct DecimalSyntax {
    std::string ascii;
    bool valid = false;
    bool nonzero = false;
    std::int64_t order = 0;
};

// Adds a digit to a saturating exponent, so that very long exponents stay
// far beyond every double's range without overflowing.
std::int64_t appendDigit(std::int64_t value, char16_t digit) {
    constexpr std::int64_t Limit = std::numeric_limits<std::int64_t>::max() / 20;
    return value > Limit ? value : value * 10 + (digit - u'0');
}

DecimalSyntax readDecimal(StringView text) {
    DecimalSyntax syntax;
    std::size_t i = 0;
    const auto at = [&text](std::size_t k) { return k < text.size() ? text[k] : u'\0'; };
    if (at(i) == u'+' || at(i) == u'-') ++i;
    std::int64_t digitsBeforePoint = 0;
    std::int64_t leadingFractionZeros = 0;
    bool anyDigit = false;
    bool afterPoint = false;
    for (; isDigit(at(i)) || (at(i) == u'.' && !afterPoint); ++i) {
        if (at(i) == u'.') {
            afterPoint = true;
            continue;
        }
        anyDigit = true;
        const bool zero = at(i) == u'0';
        if (!afterPoint && (syntax.nonzero || !zero)) ++digitsBeforePoint;
        if (afterPoint && !syntax.nonzero && zero) ++leadingFractionZeros;
        syntax.nonzero = syntax.nonzero || !zero;
    }
    if (!anyDigit) return syntax;
    std::int64_t exponent = 0;
    if (at(i) == u'e' || at(i) == u'E') {
        ++i;
        const bool negative = at(i) == u'-';
        if (at(i) == u'+' || at(i) == u'-') ++i;
        if (!isDigit(at(i))) return syntax;
        for (; isDigit(at(i)); ++i) exponent = appendDigit(exponent, at(i));
        if (negative) exponent = -exponent;
    }
    if (i != text.size()) return syntax;
    syntax.valid = true;
    syntax.order = (digitsBeforePoint > 0 ? digitsBeforePoint - 1 : -leadingFractionZeros - 1) + exponent;
    syntax.ascii.assign(text.begin(), text.end());
    return syntax;
}

}  // namespace

std::optional<std::int32_t> parseInteger(StringView text) {
    const String trimmed = trim(text);
    const bool negative = !trimmed.empty() && trimmed.front() == u'-';
    const std::size_t first = negative ? 1 : 0;
    if (trimmed.size() == first) return std::nullopt;
    // The magnitude of the most negative value is one more than the largest.
    const std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + (negative ? 1 : 0);
    std::int64_t magnitude = 0;
    for (std::size_t i = first; i < trimmed.size(); ++i) {
        if (!isDigit(trimmed[i])) return std::nullopt;
        magnitude = magnitude * 10 + (trimmed[i] - u'0');
        if (magnitude > limit) return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::optional<double> parseDouble(StringView text) {
    const DecimalSyntax syntax = readDecimal(trim(text));
    if (!syntax.valid) return std::nullopt;
    const bool negative = syntax.ascii.front() == '-';
    // from_chars takes no plus sign.
    const std::size_t start = syntax.ascii.front() == '+' || negative ? 1 : 0;
    const char* end = syntax.ascii.data() + syntax.ascii.size();
    double value = 0.0;
    const auto result = std::from_chars(syntax.ascii.data() + start, end, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        if (syntax.order >= 0) return std::nullopt;
        value = 0.0;
    } else if (result.ec != std::errc() || result.ptr != end) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

}  // namespace rt
