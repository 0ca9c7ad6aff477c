#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

// Strings of the game and the framework: 16-bit characters, lengths count them.
using String = std::u16string;
using StringView = std::u16string_view;

// Removes every leading and trailing character of code U+0020 or below;
// inner characters stay.
String trim(StringView text);

// Exact equality ignoring the case of ASCII and Latin letters (the toolkit's
// equalsIgnoreCase for the texts the framework compares).
bool equalsIgnoreCase(StringView a, StringView b);

// The shortest decimal text that reads back to the same double, with at least
// one digit after the point: plain for magnitudes in [1e-3, 1e7) ("123.0",
// "0.001"), otherwise exponent form ("1.0E7", "1.0E-4"). Zero is "0.0",
// negatives carry a leading minus sign; NaN and infinities read "NaN",
// "Infinity" and "-Infinity".
String standardDoubleText(double value);

// Decimal text of an integer: minus sign for negatives, no grouping.
String decimalText(std::int64_t value);

// Whole characters: a surrogate pair is one character (one code point); a
// surrogate without its partner stays a character of its own.
std::u32string codePoints(StringView text);
// Appends one character, as a surrogate pair when it lies beyond 16 bits.
void appendCodePoint(String& text, char32_t character);

// Conversions at the boundary to 8-bit interfaces (console, file names in
// messages, tests). Invalid input never fails: it becomes U+FFFD / '?'.
std::string toUtf8(StringView text);
String fromUtf8(std::string_view text);
// UTF-32 and wide texts (UTF-32 or UTF-16 by the size of wchar_t); code
// points that are not characters become U+FFFD.
String fromUtf32(std::u32string_view text);
String fromWide(std::wstring_view text);

}  // namespace rt
