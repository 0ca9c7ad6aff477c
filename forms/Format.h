#pragma once

#include <charconv>
#include <concepts>
#include <cstdint>
#include <iosfwd>

#include "runtime/Text.h"

namespace forms {

template <class I>
concept WholeNumber = std::integral<I> && !std::same_as<I, bool> && !std::same_as<I, char> &&
                      !std::same_as<I, wchar_t> && !std::same_as<I, char8_t> &&
                      !std::same_as<I, char16_t> && !std::same_as<I, char32_t>;

// Lays values out in a column of fixed width. The alignment code is a
// character: 'r' or 'R' aligns right, 'l' or 'L' left, anything else
// centres (an odd blank left over is dropped). A value longer than the width
// becomes a row of width asterisks; a width of 0 or less adds no blanks and
// never stars.
class Format {
public:
    Format() = default;

    static rt::String justify(char16_t code, const rt::String& text, int width);
    static rt::String justify(char16_t code, char16_t c, int width);
    // Whole numbers of every integer type (std::int64_t and the others):
    // the decimal text, minus sign for negatives, no grouping. Character
    // types go to the character overload.
    template <WholeNumber I>
    static rt::String justify(char16_t code, I number, int width) {
        char digits[24];
        char* end = std::to_chars(digits, digits + sizeof digits, number).ptr;
        return padStringToWidth(code, rt::String(digits, end), width);
    }
    // Fixed-point text of number with precision digits after the point
    // (negative counts as 0), rounded half up on the magnitude, worked out
    // step by step in double arithmetic: only the first 15 significant digits
    // of the rounded magnitude are kept, further digits read as zeros.
    // Not-a-number reads as zero. An infinite number has no fixed-point form:
    // it is laid out as the text "Infinity" or "-Infinity". Zero with a
    // precision whose unit is zero in double arithmetic (324 digits or more)
    // is "0." followed by precision zeros.
    static rt::String justify(char16_t code, double number, int width, int precision);

    // Prints a fixed series of cases to standard output, one line each:
    // input (for most numeric cases), the obtained text, ":::", the expected
    // text; an empty line between groups. It compares nothing itself.
    static void testJustify();
    static void testJustify(std::ostream& out);

private:
    static rt::String padStringToWidth(char16_t code, const rt::String& text, int width);
};

}  // namespace forms
