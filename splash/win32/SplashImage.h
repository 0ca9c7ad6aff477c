#pragma once

// Decoding of the splash JPEG into a bitmap that a window can draw.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>
#include <vector>

namespace splash_win32 {

// A device-independent bitmap of the decoded image, or null when the bytes
// do not decode (or the image is larger than MaxSide in either direction).
// Loads COM and the imaging component on the calling thread.
HBITMAP decodeJpeg(const std::vector<std::uint8_t>& bytes, SIZE& size);

inline constexpr UINT MaxSide = 4096;

}  // namespace splash_win32
