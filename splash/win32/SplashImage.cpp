#include "splash/win32/SplashImage.h"

#include "splash/win32/JpegPixels.h"

namespace splash_win32 {

namespace {

// A top-down 32-bit DIB section: its rows are the decoder's rows.
HBITMAP topDownSection(int width, int height, void*& pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
}

long pixelLimit(const RECT& area) {
    constexpr long ScreensFull = 4;
    return ScreensFull * (area.right - area.left) * (area.bottom - area.top);
}

}  // namespace

HBITMAP decodeJpeg(std::span<const std::uint8_t> bytes, const RECT& area, SIZE& size) {
    HBITMAP bitmap = nullptr;
    const auto intoBitmap = [&](int width, int height) -> std::uint32_t* {
        void* pixels = nullptr;
        bitmap = topDownSection(width, height, pixels);
        size = {width, height};
        return bitmap != nullptr ? static_cast<std::uint32_t*>(pixels) : nullptr;
    };
    // The decoder asks for the bitmap only once the image has decoded, and a
    // bitmap it was given is always filled.
    return decodeJpeg(bytes.data(), bytes.size(), pixelLimit(area), intoBitmap) ? bitmap : nullptr;
}

}  // namespace splash_win32
