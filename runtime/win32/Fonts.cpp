// Fonts: the system's message font by default; fixed-pitch names map to a
// fixed-pitch face. Sizes are pixels of the em (one point per pixel, as the
// toolkit's users size their windows in pixels).

#include <algorithm>
#include <array>
#include <cwctype>
#include <map>
#include <tuple>

#include "runtime/win32/Core.h"

namespace rtwin {

namespace {

bool namesFixedPitch(const rt::String& family) {
    static const std::array<std::wstring, 8> names = {L"courier",   L"courier new", L"monospaced", L"monospace",
                                                      L"dialoginput", L"consolas",  L"lucida console", L"fixed"};
    std::wstring lower = toW(rt::trim(family));
    std::transform(lower.begin(), lower.end(), lower.begin(), [](wchar_t c) { return std::towlower(c); });
    return std::find(names.begin(), names.end(), lower) != names.end();
}

const LOGFONTW& messageFont() {
    static const LOGFONTW font = [] {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        return metrics.lfMessageFont;
    }();
    return font;
}

// A memory device context like the screen's, kept for measuring texts:
// asking the screen for a device context each time is slow.
HDC measuringDC() {
    static const HDC dc = CreateCompatibleDC(nullptr);
    return dc;
}

}  // namespace

HFONT defaultFont() {
    static const HFONT font = CreateFontIndirectW(&messageFont());
    return font;
}

rt::Font defaultFontRequest() {
    const LOGFONTW& font = messageFont();
    const int style = (font.lfWeight >= FW_BOLD ? rt::Font::Bold : 0) | (font.lfItalic ? rt::Font::Italic : 0);
    return {fromW(font.lfFaceName, wcsnlen(font.lfFaceName, LF_FACESIZE)), style, std::abs(font.lfHeight)};
}

// Made once per request and kept for the life of the process: a window
// that still uses one must never see it deleted.
HFONT fontFor(const rt::Font& request) {
    static std::map<std::tuple<rt::String, int, int>, HFONT> made;
    const auto key = std::make_tuple(request.name, request.style, request.size);
    if (auto found = made.find(key); found != made.end()) return found->second;
    LOGFONTW font{};
    font.lfHeight = -std::max(request.size, 1);
    font.lfWeight = (request.style & rt::Font::Bold) != 0 ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (request.style & rt::Font::Italic) != 0;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    std::wstring face = toW(request.name).substr(0, LF_FACESIZE - 1);
    if (namesFixedPitch(request.name)) {
        face = L"Courier New";
        font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    }
    std::copy(face.begin(), face.end(), font.lfFaceName);
    return made[key] = CreateFontIndirectW(&font);
}

SIZE textExtent(HFONT font, const std::wstring& text) {
    SIZE size{0, 0};
    if (!text.empty()) {
        HDC dc = measuringDC();
        SelectObject(dc, font);
        GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    }
    size.cy = fontUnits(font).cy;
    return size;
}

SIZE fontUnits(HFONT font) {
    static std::map<HFONT, SIZE> known;
    if (auto found = known.find(font); found != known.end()) return found->second;
    HDC dc = measuringDC();
    SelectObject(dc, font);
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    return known[font] = SIZE{metrics.tmAveCharWidth, metrics.tmHeight};
}

int listRowHeight(HFONT font) { return fontUnits(font).cy + 2; }

}  // namespace rtwin
