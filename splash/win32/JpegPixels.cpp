#include "splash/win32/JpegPixels.h"

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

// An upper bound of the scans any decoder can find: every start-of-scan
// marker is the byte 0xff right before 0xda. Counts up to limit + 1.
int scansUpTo(const std::uint8_t* bytes, std::size_t count, int limit) {
    int scans = 0;
    for (std::size_t i = 1; i < count && scans <= limit; ++i) scans += bytes[i - 1] == 0xff && bytes[i] == 0xda;
    return scans;
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
    // The header alone first: nothing is allocated for an image beyond the limits.
    if (bytes == nullptr || count > static_cast<std::size_t>(INT_MAX) ||
        !stbi_info_from_memory(bytes, static_cast<int>(count), &width, &height, &components) ||
        !withinLimits(width, height, maxPixels) || scansUpTo(bytes, count, MaxScans) > MaxScans) {
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
