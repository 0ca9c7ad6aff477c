#include "runtime/Text.h"

#include <charconv>

namespace rt {

String trim(StringView text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] <= u' ') ++begin;
    while (end > begin && text[end - 1] <= u' ') --end;
    return String(text.substr(begin, end - begin));
}

namespace {

// Case folding for the ranges a style or menu name can reasonably use:
// ASCII and Latin-1 letters.
char16_t foldCase(char16_t c) {
    if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
    return c;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool isHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The character starting at text[i], a surrogate pair joined; advances i.
char32_t nextCodePoint(StringView text, std::size_t& i) {
    const char32_t unit = text[i++];
    if (isHighSurrogate(unit) && i < text.size() && isLowSurrogate(text[i])) {
        return 0x10000 + ((unit - 0xD800) << 10) + (text[i++] - 0xDC00);
    }
    return unit;
}

}  // namespace

bool equalsIgnoreCase(StringView a, StringView b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldCase(a[i]) != foldCase(b[i])) return false;
    }
    return true;
}

String decimalText(std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return String(buffer, result.ptr);
}

std::string toUtf8(StringView text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char32_t cp = nextCodePoint(text, i);
        appendUtf8(out, isHighSurrogate(cp) || isLowSurrogate(cp) ? 0xFFFD : cp);
    }
    return out;
}

std::u32string codePoints(StringView text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) out += nextCodePoint(text, i);
    return out;
}

void appendCodePoint(String& out, char32_t cp) {
    if (cp < 0x10000) {
        out += static_cast<char16_t>(cp);
    } else {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
}

String fromUtf8(std::string_view text) {
    String out;
    out.reserve(text.size());
    Utf8Decoder decoder;
    decoder.decode(text, out);
    decoder.finish(out);
    return out;
}

// The well-formed sequences: a lead byte fixes the length and the range of
// the first continuation byte (which rules out overlong forms, surrogates
// and codes above U+10FFFF); later continuation bytes are 80 to BF.
void Utf8Decoder::start(unsigned char byte, String& out) {
    lowest_ = 0x80;
    highest_ = 0xBF;
    if (byte < 0x80) {
        out += static_cast<char16_t>(byte);
        return;
    }
    if (byte >= 0xC2 && byte <= 0xDF) {
        missing_ = 1, code_ = byte & 0x1Fu;
    } else if (byte >= 0xE0 && byte <= 0xEF) {
        missing_ = 2, code_ = byte & 0x0Fu;
        if (byte == 0xE0) lowest_ = 0xA0;
        if (byte == 0xED) highest_ = 0x9F;
    } else if (byte >= 0xF0 && byte <= 0xF4) {
        missing_ = 3, code_ = byte & 0x07u;
        if (byte == 0xF0) lowest_ = 0x90;
        if (byte == 0xF4) highest_ = 0x8F;
    } else {
        out += char16_t{0xFFFD};
    }
}

void Utf8Decoder::decode(std::string_view bytes, String& out) {
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (missing_ == 0) {
            start(byte, out);
            continue;
        }
        if (byte < lowest_ || byte > highest_) {
            // The open sequence ends here; the byte starts afresh.
            missing_ = 0;
            out += char16_t{0xFFFD};
            start(byte, out);
            continue;
        }
        code_ = code_ << 6 | (byte & 0x3Fu);
        lowest_ = 0x80;
        highest_ = 0xBF;
        if (--missing_ == 0) appendCodePoint(out, code_);
    }
}

void Utf8Decoder::finish(String& out) {
    if (missing_ > 0) out += char16_t{0xFFFD};
    missing_ = 0;
}

String fromUtf32(std::u32string_view text) {
    String out;
    out.reserve(text.size());
    for (const char32_t cp : text) {
        const bool character = cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
        appendCodePoint(out, character ? cp : 0xFFFD);
    }
    return out;
}

String fromWide(std::wstring_view text) {
    if constexpr (sizeof(wchar_t) == sizeof(char16_t)) {
        return String(text.begin(), text.end());
    } else {
        return fromUtf32(std::u32string(text.begin(), text.end()));
    }
}

}  // namespace rt
