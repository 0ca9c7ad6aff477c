#include "startup/strUtil.h"

#include "startup/os.h"

namespace str {

std::size_t length(const char* text) {
    std::size_t n = 0;
    while (text[n] != '\0') ++n;
    return n;
}

bool appendPart(char* buffer, std::size_t capacity, const char* text, std::size_t count) {
    const std::size_t used = length(buffer);
    if (used + count >= capacity) return false;
    for (std::size_t i = 0; i < count; ++i) buffer[used + i] = text[i];
    buffer[used + count] = '\0';
    return true;
}

bool append(char* buffer, std::size_t capacity, const char* text) {
    return appendPart(buffer, capacity, text, length(text));
}

bool copy(char* buffer, std::size_t capacity, const char* text) {
    const std::size_t n = length(text);
    if (n >= capacity) return false;
    for (std::size_t i = 0; i <= n; ++i) buffer[i] = text[i];
    return true;
}

long indexOf(const char* text, char c) {
    for (long i = 0; text[i] != '\0'; ++i) {
        if (text[i] == c) return i;
    }
    return -1;
}

long lastIndexOf(const char* text, char c) {
    long found = -1;
    for (long i = 0; text[i] != '\0'; ++i) {
        if (text[i] == c) found = i;
    }
    return found;
}

bool startsWith(const char* text, const char* prefix) {
    for (std::size_t i = 0; prefix[i] != '\0'; ++i) {
        if (text[i] != prefix[i]) return false;
    }
    return true;
}

void upperAscii(char* text) {
    for (; *text != '\0'; ++text) {
        if (*text >= 'a' && *text <= 'z') *text = static_cast<char>(*text - 'a' + 'A');
    }
}

void removeLastComponent(char* text, char separator) {
    const long cut = lastIndexOf(text, separator);
    text[cut < 0 ? 0 : cut] = '\0';
}

char* duplicate(const char* text) {
    const std::size_t n = length(text) + 1;
    char* copy = static_cast<char*>(os::allocate(n));
    for (std::size_t i = 0; i < n; ++i) copy[i] = text[i];
    return copy;
}

namespace {

// Output cursor that drops what does not fit, keeping room for the zero.
class Output {
public:
    Output(char* buffer, std::size_t capacity) : buffer_(buffer), capacity_(capacity) {}
    void put(char c) {
        if (used_ + 1 < capacity_) buffer_[used_++] = c;
    }
    void put(const char* text) {
        while (text != nullptr && *text != '\0') put(*text++);
    }
    // The decimal digits of value, zero-padded so that sign and digits fill
    // at least width characters.
    void number(long value, std::size_t width) {
        char digits[24];
        std::size_t n = 0;
        unsigned long magnitude = value < 0 ? 0ul - static_cast<unsigned long>(value)
                                            : static_cast<unsigned long>(value);
        do {
            digits[n++] = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        while (n + (value < 0 ? 1 : 0) < width) digits[n++] = '0';
        if (value < 0) put('-');
        while (n > 0) put(digits[--n]);
    }
    std::size_t finish() {
        if (capacity_ > 0) buffer_[used_] = '\0';
        return used_;
    }

private:
    char* buffer_;
    std::size_t capacity_;
    std::size_t used_ = 0;
};

// Length of the conversion that text starts with ("%s", "%d", "%02d", "%%"), 0 if none.
std::size_t conversionLength(const char* text) {
    if (startsWith(text, "%s") || startsWith(text, "%d") || startsWith(text, "%%")) return 2;
    if (startsWith(text, "%02d")) return 4;
    return 0;
}

}  // namespace

std::size_t formatList(char* buffer, std::size_t capacity, const char* format,
                       const Argument* arguments, std::size_t count) {
    Output out(buffer, capacity);
    std::size_t next = 0;
    while (*format != '\0') {
        const std::size_t n = *format == '%' ? conversionLength(format) : 0;
        if (n == 0) {
            out.put(*format++);
            continue;
        }
        const char kind = format[n - 1];
        if (kind == '%') {
            out.put('%');
        } else if (next < count) {
            const Argument& a = arguments[next++];
            if (kind == 's' && a.kind == Argument::Kind::Text) out.put(a.text);
            if (kind == 'd' && a.kind == Argument::Kind::Number) out.number(a.number, n == 4 ? 2 : 1);
        }
        format += n;
    }
    return out.finish();
}

}  // namespace str
