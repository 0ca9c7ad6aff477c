#pragma once

// The splash JPEG as a bitmap that a window can draw.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdint>
#include <span>

namespace splash_win32 {

// A device-independent bitmap of the decoded image, or null when the bytes
// do not decode or the image has more pixels than four times the work area
// (area) holds: no splash needs more, and a damaged header may claim more.
HBITMAP decodeJpeg(std::span<const std::uint8_t> bytes, const RECT& area, SIZE& size);

}  // namespace splash_win32
