// Every kind of window the Win32 runtime shows carries the program's icon:
// the images of the executable's icon group (this test program carries the
// game's group) in the system's large and small icon sizes.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "GuiTest.h"
#include "runtime/win32/Driver.h"

namespace {

using ProgramIconTest = GuiTest;

// An applet of nothing but its panel.
class BareApplet final : public rt::Applet {
public:
    rt::AppletPanel& appletPanel() const override { return *panel_; }

private:
    std::unique_ptr<rt::AppletPanel> panel_ = rt::toolkit().createAppletPanel();
};

const rt::AppletClass applets[] = {
    {"Bare", [] { return std::unique_ptr<rt::Applet>(std::make_unique<BareApplet>()); }},
    {nullptr, nullptr},
};

// The icon a window shows in that size: its own, else its class's, as the
// system picks it for the caption and the task bar.
HICON shownIcon(HWND hwnd, bool big) {
    auto own = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_GETICON, big ? ICON_BIG : ICON_SMALL, 0));
    if (own != nullptr) return own;
    return reinterpret_cast<HICON>(GetClassLongPtrW(hwnd, big ? GCLP_HICON : GCLP_HICONSM));
}

struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    friend bool operator==(const IconImage&, const IconImage&) = default;
};

// The colour image of an icon, 32 bits a pixel.
IconImage imageOf(HICON icon) {
    IconImage image;
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) return image;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap);
    image.width = bitmap.bmWidth;
    image.height = bitmap.bmHeight;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = bitmap.bmWidth;
    format.bmiHeader.biHeight = -bitmap.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    image.pixels.resize(static_cast<std::size_t>(bitmap.bmWidth) * static_cast<std::size_t>(bitmap.bmHeight));
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(bitmap.bmHeight), image.pixels.data(), &format,
              DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return image;
}

// The program's icon group image of the system's size for that icon.
IconImage programImage(bool big) {
    const int size = GetSystemMetrics(big ? SM_CXICON : SM_CXSMICON);
    auto icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    IconImage image = imageOf(icon);
    DestroyIcon(icon);
    return image;
}

void expectProgramIcon(const rt::Window& window) {
    HWND hwnd = static_cast<HWND>(rtwin::nativeWindowOf(window));
    for (bool big : {true, false}) {
        const IconImage expected = programImage(big);
        ASSERT_EQ(expected.width, GetSystemMetrics(big ? SM_CXICON : SM_CXSMICON));
        const IconImage shown = imageOf(shownIcon(hwnd, big));
        EXPECT_EQ(shown.width, expected.width) << (big ? "large" : "small");
        EXPECT_TRUE(shown == expected) << (big ? "large" : "small") << " icon is not the program's";
    }
}

TEST_F(ProgramIconTest, FramesDialogsAndAppletWindowsShowTheProgramIcon) {
    show();
    expectProgramIcon(*frame);
    auto dialog = tk().createDialog(frame.get(), true);
    expectProgramIcon(*dialog);
    auto ownerless = tk().createDialog(nullptr, false);
    expectProgramIcon(*ownerless);
    rt::Frame* host = tk().hostApplet(applets, u"Bare", 200, 100);
    ASSERT_NE(host, nullptr);
    expectProgramIcon(*host);
    host->setVisible(false);
}

}  // namespace
