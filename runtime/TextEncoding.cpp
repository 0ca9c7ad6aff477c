#include "runtime/TextEncoding.h"

namespace rt {

namespace {

bool startsWith(std::string_view bytes, std::string_view mark) { return bytes.substr(0, mark.size()) == mark; }

// Windows-1252 from 80 to 9F; the rest of the code page is Latin-1.
constexpr char16_t Windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

DetectedEncoding detectEncoding(std::string_view bytes) {
    if (startsWith(bytes, "\xEF\xBB\xBF")) return {TextEncoding::Utf8, 3};
    if (startsWith(bytes, "\xFF\xFE")) return {TextEncoding::Utf16Le, 2};
    if (startsWith(bytes, "\xFE\xFF")) return {TextEncoding::Utf16Be, 2};
    return {isValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::CodePage, 0};
}

void appendUtf16(std::string_view bytes, bool bigEndian, String& out) {
    const std::size_t units = bytes.size() / 2;
    out.reserve(out.size() + units + 1);
    for (std::size_t k = 0; k < units; ++k) {
        const auto first = static_cast<unsigned char>(bytes[2 * k]);
        const auto second = static_cast<unsigned char>(bytes[2 * k + 1]);
        out += static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    if (bytes.size() % 2 != 0) out += char16_t{0xFFFD};
}

void appendWindows1252(std::string_view bytes, String& out) {
    out.reserve(out.size() + bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        out += byte >= 0x80 && byte < 0xA0 ? Windows1252High[byte - 0x80] : static_cast<char16_t>(byte);
    }
}

}  // namespace rt
