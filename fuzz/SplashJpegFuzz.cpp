// The Win32 splash library's JPEG decoding (stb_image with the library's
// limits), built natively: on any bytes it stays inside them and within its
// limits, asks for room at most once, and fills every pixel of it.
// Input: the image's bytes.

#include <cstdint>
#include <vector>

#include "splash/win32/JpegPixels.h"

namespace {

// Room for a few screens, as the library allows; small enough for the
// fuzzer's memory limit.
constexpr long MaxPixels = 1L << 21;
constexpr std::uint32_t Unwritten = 0xffffffffu;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint32_t> pixels;
    int asked = 0;
    const bool decoded = splash_win32::decodeJpeg(data, size, MaxPixels, [&](int width, int height) {
        ++asked;
        if (width <= 0 || height <= 0 || width > splash_win32::MaxSide || height > splash_win32::MaxSide ||
            static_cast<long>(width) * height > MaxPixels) {
            __builtin_trap();
        }
        pixels.assign(static_cast<std::size_t>(width) * height, Unwritten);
        return pixels.data();
    });
    if (asked != (decoded ? 1 : 0)) __builtin_trap();
    for (std::uint32_t word : pixels)
        if (word >> 24 != 0) __builtin_trap();
    return 0;
}
