#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "runtime/Text.h"

namespace rt {

// The encodings a word-list file is read in.
enum class TextEncoding { Utf8, Utf16Le, Utf16Be, CodePage };

struct DetectedEncoding {
    TextEncoding encoding;
    std::size_t markSize;  // bytes of the byte order mark to skip
};

// The rule both platforms read text files by: a byte order mark decides
// (UTF-8, UTF-16 LE or BE); without one, bytes that are all valid UTF-8 are
// UTF-8, anything else is the platform's 8-bit code page, so that every byte
// keeps a character and none becomes U+FFFD.
DetectedEncoding detectEncoding(std::string_view bytes);

// Appends the text of UTF-16 bytes in the given order; a lone last byte
// becomes U+FFFD.
void appendUtf16(std::string_view bytes, bool bigEndian, String& out);

// Appends the text of Windows-1252 bytes. The five bytes the code page leaves
// undefined (81, 8D, 8F, 90, 9D) become the control characters of the same
// code, as Windows itself reads them, so every byte keeps a character.
void appendWindows1252(std::string_view bytes, String& out);

}  // namespace rt
