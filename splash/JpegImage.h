#pragma once

// Decoding of the splash image with bounds: only what a splash needs
// (baseline or extended sequential JPEG, three colour components) and never
// more memory than the limits allow, whatever the header claims.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace splash {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, row by row
};

inline constexpr std::size_t MaxJpegBytes = 16u << 20;
inline constexpr int MaxSide = 4096;
inline constexpr long MaxPixels = 1L << 20;  // decoding stays within a few milliseconds
inline constexpr long MaxDecoderMemory = 32L << 20;

// Decodes bytes[0, count) into image; false (image left empty) for anything
// truncated, corrupt, progressive, not three-component, or beyond the limits.
// Warnings of the decoder (data that it would patch over) count as failures.
bool decodeJpeg(const std::uint8_t* bytes, std::size_t count, Image& image);

}  // namespace splash
