#include "runtime/Text.h"

#include <algorithm>
#include <charconv>
#include <cstring>

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

void appendCodePointUtf8(std::string& out, char32_t cp) {
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
    appendUtf8(text, out);
    return out;
}

namespace {

// Appends the run of ASCII characters of text from i, narrowed, in one
// step; returns the position after it.
std::size_t appendAsciiRun(StringView text, std::size_t i, std::string& out) {
    const auto first = text.begin() + static_cast<std::ptrdiff_t>(i);
    const auto end = std::find_if(first, text.end(), [](char16_t c) { return c >= 0x80; });
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(end - first));
    std::transform(first, end, out.begin() + static_cast<std::ptrdiff_t>(start),
                   [](char16_t c) { return static_cast<char>(c); });
    return static_cast<std::size_t>(end - text.begin());
}

}  // namespace

void appendUtf8(StringView text, std::string& out) {
    for (std::size_t i = appendAsciiRun(text, 0, out); i < text.size(); i = appendAsciiRun(text, i, out)) {
        const char32_t cp = nextCodePoint(text, i);
        appendCodePointUtf8(out, isHighSurrogate(cp) || isLowSurrogate(cp) ? 0xFFFD : cp);
    }
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

namespace {

// The well-formed sequences: a lead byte fixes the number of continuation
// bytes and the range of the first one (which rules out overlong forms,
// surrogates and codes above U+10FFFF); later continuation bytes are 80 to
// BF. No continuation (0) for a byte that cannot lead a sequence.
struct LeadByte {
    int continuation = 0;
    unsigned char lowest = 0x80;
    unsigned char highest = 0xBF;
};

LeadByte leadByte(unsigned char byte) {
    if (byte >= 0xC2 && byte <= 0xDF) return {1};
    if (byte >= 0xE0 && byte <= 0xEF) {
        return {2, static_cast<unsigned char>(byte == 0xE0 ? 0xA0 : 0x80),
                static_cast<unsigned char>(byte == 0xED ? 0x9F : 0xBF)};
    }
    if (byte >= 0xF0 && byte <= 0xF4) {
        return {3, static_cast<unsigned char>(byte == 0xF0 ? 0x90 : 0x80),
                static_cast<unsigned char>(byte == 0xF4 ? 0x8F : 0xBF)};
    }
    return {};
}

// Length of the well-formed sequence of a non-ASCII byte at bytes[i], or 0.
std::size_t sequenceLength(std::string_view bytes, std::size_t i) {
    const LeadByte lead = leadByte(static_cast<unsigned char>(bytes[i]));
    const auto length = static_cast<std::size_t>(lead.continuation) + 1;
    if (lead.continuation == 0 || i + length > bytes.size()) return 0;
    const auto first = static_cast<unsigned char>(bytes[i + 1]);
    if (first < lead.lowest || first > lead.highest) return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return 0;
    }
    return length;
}

}  // namespace

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t i = asciiRun(bytes, 0); i < bytes.size(); i += asciiRun(bytes, i)) {
        const std::size_t length = sequenceLength(bytes, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

void Utf8Decoder::start(unsigned char byte, String& out) {
    if (byte < 0x80) {
        out += static_cast<char16_t>(byte);
        return;
    }
    const LeadByte lead = leadByte(byte);
    if (lead.continuation == 0) {
        out += char16_t{0xFFFD};
        return;
    }
    missing_ = lead.continuation;
    code_ = byte & (0x7Fu >> (lead.continuation + 1));
    lowest_ = lead.lowest;
    highest_ = lead.highest;
}

std::size_t asciiRun(std::string_view bytes, std::size_t i) {
    std::size_t end = i;
    for (std::uint64_t word; end + 8 <= bytes.size(); end += 8) {
        std::memcpy(&word, bytes.data() + end, sizeof word);
        if ((word & 0x8080808080808080u) != 0) break;
    }
    while (end < bytes.size() && static_cast<unsigned char>(bytes[end]) < 0x80) ++end;
    return end - i;
}

void Utf8Decoder::decode(std::string_view bytes, String& out) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (missing_ == 0) {
            // Plain ASCII text is copied as it stands.
            const std::size_t run = asciiRun(bytes, i);
            const std::size_t at = out.size();
            out.resize(at + run);
            std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(i), run, out.begin() + static_cast<std::ptrdiff_t>(at));
            i += run;
            if (i == bytes.size()) break;
        }
        const auto byte = static_cast<unsigned char>(bytes[i]);
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
