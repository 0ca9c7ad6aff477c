#pragma once

// Decoding of the splash JPEG without COM or the imaging component: stb_image
// decodes it in this library, and its pixels are written once, straight into
// the 32-bit layout a device-independent bitmap draws. Free of Windows
// headers, so that the same decoding is fuzzed natively.

#include <cstddef>
#include <cstdint>
#include <functional>

namespace splash_win32 {

inline constexpr int MaxSide = 4096;
// Each scan decodes the whole image again: a few scans make a progressive
// image, thousands in a damaged file would hold the program's start for
// minutes.
inline constexpr int MaxScans = 64;

// Where the pixels go: width * height words, asked for once the image has
// decoded; null gives up.
using PixelTarget = std::function<std::uint32_t*(int width, int height)>;

// Decodes bytes[0, count) (baseline or progressive; grey, colour or CMYK)
// and writes its pixels, top row first, as words 0x00RRGGBB (blue, green,
// red, 0 in memory) to where target says. False, without asking target, for
// bytes that do not decode (damaged or cut short), for more than maxPixels
// pixels or MaxSide in either direction, for more than MaxScans scans, or
// for a Huffman table of more than 256 symbols (which the decoder would
// write past its tables).
bool decodeJpeg(const std::uint8_t* bytes, std::size_t count, long maxPixels, const PixelTarget& target);

}  // namespace splash_win32
