#include "splash/win32/JpegPixels.h"

#include <algorithm>
#include <climits>
#include <memory>

// Only the JPEG decoder, from memory, in this file alone; one thread decodes
// at a time, so its failure flag needs no thread-local storage.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_FAILURE_STRINGS
#define STBI_NO_THREAD_LOCALS
#include <stb_image.h>

namespace splash_win32 {

namespace {

constexpr int Rgba = 4;
constexpr std::uint8_t Fill = 0xff, StartOfImage = 0xd8, HuffmanTables = 0xc4, EndOfImage = 0xd9, StartOfScan = 0xda;

bool isRestart(std::uint8_t marker) { return marker >= 0xd0 && marker <= 0xd7; }

// The Huffman tables of one segment's payload [at, end): a class and slot
// byte, 16 code counts and that many symbols each, and no more than the 256
// symbols a table holds. stb_image 2.27 writes larger ones past its tables.
bool soundTables(const std::uint8_t* bytes, std::size_t at, std::size_t end) {
    constexpr std::size_t Head = 17, MaxSymbols = 256;
    while (at < end) {
        if (end - at < Head) return false;
        std::size_t symbols = 0;
        for (std::size_t i = at + 1; i < at + Head; ++i) symbols += bytes[i];
        if (symbols > MaxSymbols) return false;
        at += Head + symbols;
    }
    return at == end;
}

// Where a scan's coded data ends: at the first 0xff that is neither a
// stuffed 0xff (followed by 0) nor a restart marker.
std::size_t codedDataEnd(const std::uint8_t* bytes, std::size_t count, std::size_t at) {
    for (; at + 1 < count; ++at)
        if (bytes[at] == 0xff && bytes[at + 1] != 0 && !isRestart(bytes[at + 1])) return at;
    return count;
}

// Where the segments begin: after the start-of-image marker, which the
// decoder also takes after fill bytes; 0 when the data does not start so
// (the decoder then reads nothing more of it as a JPEG).
std::size_t segmentsStart(const std::uint8_t* bytes, std::size_t count) {
    std::size_t at = 0;
    while (at < count && bytes[at] == Fill) ++at;
    return at > 0 && at < count && bytes[at] == StartOfImage ? at + 1 : 0;
}

// Walks the segments as a decoder meets them (each by its length, a scan's
// coded data up to its next marker, bytes between segments skipped), so that
// every segment the decoder reads is seen here first: false for unsound
// Huffman tables or more than MaxScans scans.
bool soundLayout(const std::uint8_t* bytes, std::size_t count) {
    int scans = 0;
    std::size_t at = segmentsStart(bytes, count);
    if (at == 0) return true;
    while (at + 1 < count) {
        if (bytes[at] != 0xff || bytes[at + 1] == 0xff) {
            ++at;
            continue;
        }
        const std::uint8_t marker = bytes[at + 1];
        at += 2;
        if (marker == EndOfImage) break;
        if (marker == 0 || isRestart(marker) || at + 2 > count) continue;  // no segment follows
        const std::size_t end = at + (std::size_t{bytes[at]} << 8 | bytes[at + 1]);
        if (marker == HuffmanTables && !soundTables(bytes, at + 2, std::min(end, count))) return false;
        at = end;
        if (marker == StartOfScan && ++scans > MaxScans) return false;
        if (marker == StartOfScan) at = codedDataEnd(bytes, count, at);
    }
    return true;
}

bool withinLimits(int width, int height, long maxPixels) {
    return width > 0 && height > 0 && width <= MaxSide && height <= MaxSide &&
           static_cast<long>(width) * height <= maxPixels;
}

struct StbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

void writeWords(const stbi_uc* rgba, std::size_t pixels, std::uint32_t* words) {
    for (std::size_t i = 0; i < pixels; ++i, rgba += Rgba)
        words[i] = static_cast<std::uint32_t>(rgba[0]) << 16 | static_cast<std::uint32_t>(rgba[1]) << 8 | rgba[2];
}

}  // namespace

bool decodeJpeg(const std::uint8_t* bytes, std::size_t count, long maxPixels, const PixelTarget& target) {
    int width = 0, height = 0, components = 0;
    // The layout and the header first: nothing is allocated for an image
    // beyond the limits, nothing is read that the decoder mishandles.
    if (bytes == nullptr || count > static_cast<std::size_t>(INT_MAX) || !soundLayout(bytes, count) ||
        !stbi_info_from_memory(bytes, static_cast<int>(count), &width, &height, &components) ||
        !withinLimits(width, height, maxPixels)) {
        return false;
    }
    const std::unique_ptr<stbi_uc, StbFree> rgba(
        stbi_load_from_memory(bytes, static_cast<int>(count), &width, &height, &components, Rgba));
    if (rgba == nullptr || !withinLimits(width, height, maxPixels)) return false;
    std::uint32_t* words = target(width, height);
    if (words == nullptr) return false;
    writeWords(rgba.get(), static_cast<std::size_t>(width) * height, words);
    return true;
}

}  // namespace splash_win32
