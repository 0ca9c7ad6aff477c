#pragma once

// String routines of the start-up stub: zero-terminated 8-bit texts in
// fixed buffers. Nothing here writes past the capacity it is given.

#include <cstddef>
#include <cstdint>

namespace str {

// Capacity of every path buffer, terminating zero included: 260 characters.
// On Windows the stub's texts are UTF-8, so its buffers hold any path of 260
// UTF-16 units (up to three bytes each); the system's calls keep the limit
// in characters.
#ifdef _WIN32
inline constexpr std::size_t PathCapacity = 3 * 260;
#else
inline constexpr std::size_t PathCapacity = 260;
#endif
// Capacity of every formatted message, terminating zero included.
inline constexpr std::size_t MessageCapacity = 1024;

using Path = char[PathCapacity];

std::size_t length(const char* text);

// Copies/appends text into buffer of the given capacity. False, with the
// buffer left as it was, when the result would not fit.
bool copy(char* buffer, std::size_t capacity, const char* text);
bool append(char* buffer, std::size_t capacity, const char* text);
// Appends the first count characters of text.
bool appendPart(char* buffer, std::size_t capacity, const char* text, std::size_t count);

// Index of the first / last occurrence of c, or -1.
long indexOf(const char* text, char c);
long lastIndexOf(const char* text, char c);

bool startsWith(const char* text, const char* prefix);

// Upper-cases a to z in place; other bytes stay.
void upperAscii(char* text);

// Cuts text at its last separator; a text without one becomes empty.
void removeLastComponent(char* text, char separator);

// Heap copy of text; a failed allocation is fatal.
char* duplicate(const char* text);

// Formats into buffer (capacity MessageCapacity at most matters; any
// capacity works). Conversions: %s, %d, %02d and %%; an unknown conversion
// is copied as it stands. The result is cut, never overrun, when it does not
// fit; the return value is its length. Arguments are read in order: texts
// for %s, ints for %d and %02d.
struct Argument {
    enum class Kind { Text, Number } kind;
    const char* text;
    long number;
    Argument(const char* t) : kind(Kind::Text), text(t), number(0) {}
    Argument(int n) : kind(Kind::Number), text(nullptr), number(n) {}
    // A 32-bit word reads as %d reads it: a signed int.
    Argument(unsigned n) : kind(Kind::Number), text(nullptr), number(static_cast<int>(n)) {}
    Argument(long n) : kind(Kind::Number), text(nullptr), number(n) {}
};

std::size_t formatList(char* buffer, std::size_t capacity, const char* format,
                       const Argument* arguments, std::size_t count);

template <typename... Args>
std::size_t format(char* buffer, std::size_t capacity, const char* fmt, const Args&... args) {
    const Argument list[] = {Argument(args)..., Argument(nullptr)};
    return formatList(buffer, capacity, fmt, list, sizeof...(Args));
}

}  // namespace str
