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
// messages, tests). Invalid input never fails: it becomes U+FFFD, one for
// each maximal ill-formed subsequence, as Utf8Decoder does.
std::string toUtf8(StringView text);
// Appends the UTF-8 bytes of text to out, as toUtf8 gives them.
void appendUtf8(StringView text, std::string& out);
String fromUtf8(std::string_view text);
// UTF-32 and wide texts (UTF-32 or UTF-16 by the size of wchar_t); code
// points that are not characters become U+FFFD.
String fromUtf32(std::u32string_view text);
String fromWide(std::wstring_view text);

// Length of the run of ASCII bytes (below 80) from position i of bytes.
std::size_t asciiRun(std::string_view bytes, std::size_t i);
// Whether bytes are well-formed UTF-8 (no overlong forms, surrogates or codes
// above U+10FFFF, no sequence cut off at the end).
bool isValidUtf8(std::string_view bytes);

// UTF-8 decoding of bytes that arrive in pieces: the text does not depend on
// where the pieces end. Every maximal ill-formed subsequence (a byte that
// cannot start a sequence, or the longest prefix of a well-formed sequence
// that the next byte breaks, or that the input ends in) becomes one U+FFFD.
class Utf8Decoder {
public:
    // Appends the text of bytes to out; a sequence still open at the end
    // waits for the next piece.
    void decode(std::string_view bytes, String& out);
    // Ends the input: a sequence still open becomes one U+FFFD.
    void finish(String& out);

private:
    void start(unsigned char byte, String& out);

    char32_t code_ = 0;
    int missing_ = 0;            // continuation bytes still expected
    unsigned char lowest_ = 0;   // range allowed for the next one
    unsigned char highest_ = 0;
};

}  // namespace rt
