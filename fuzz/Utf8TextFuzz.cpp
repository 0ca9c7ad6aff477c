// The runtime's UTF-8 texts: decoding in pieces gives the text decoded
// whole, decoding never makes an unpaired surrogate, encoding and decoding
// again gives the text back, and well-formed input comes back byte for
// byte. Trimming is checked on the decoded text. Input: two cut points,
// then the bytes.

#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "runtime/Text.h"

namespace {

bool hasUnpairedSurrogate(const rt::String& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return true;
            ++i;
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            return true;
        }
    }
    return false;
}

void checkTrim(const rt::String& text) {
    const rt::String trimmed = rt::trim(text);
    if (rt::trim(trimmed) != trimmed || text.find(trimmed) == rt::String::npos) __builtin_trap();
    if (!trimmed.empty() && (trimmed.front() <= u' ' || trimmed.back() <= u' ')) __builtin_trap();
    if (!rt::equalsIgnoreCase(text, text)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    std::size_t first = in.ConsumeIntegral<std::uint16_t>();
    std::size_t second = in.ConsumeIntegral<std::uint16_t>();
    const std::string bytes = in.ConsumeRemainingBytesAsString();
    first = bytes.empty() ? 0 : first % (bytes.size() + 1);
    second = first + (bytes.size() == first ? 0 : second % (bytes.size() - first + 1));

    const rt::String whole = rt::fromUtf8(bytes);
    rt::Utf8Decoder decoder;
    rt::String pieces;
    const std::string_view view(bytes);
    decoder.decode(view.substr(0, first), pieces);
    decoder.decode(view.substr(first, second - first), pieces);
    decoder.decode(view.substr(second), pieces);
    decoder.finish(pieces);
    if (pieces != whole || hasUnpairedSurrogate(whole) || whole.size() > bytes.size()) __builtin_trap();

    const std::string encoded = rt::toUtf8(whole);
    if (rt::fromUtf8(encoded) != whole) __builtin_trap();
    // Without a replacement character in or out, nothing was ill-formed.
    const bool replaced = whole.find(u'\uFFFD') != rt::String::npos;
    if (!replaced && encoded != bytes) __builtin_trap();
    checkTrim(whole);
    return 0;
}
