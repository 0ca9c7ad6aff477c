// The visual styles and fonts of the Win32 runtime, checked on the fonts
// the controls really draw with.

#include <windows.h>

#include "GuiTest.h"
#include "runtime/Failure.h"
#include "runtime/win32/Driver.h"

namespace {

using StylesTest = GuiTest;

TEST_F(StylesTest, ThreeStylesInFixedOrderEachNamingItsClass) {
    const auto styles = tk().installedStyles();
    ASSERT_EQ(styles.size(), 3u);
    EXPECT_EQ(styles[0].className, u"Themed");
    EXPECT_EQ(styles[1].className, u"Classic");
    EXPECT_EQ(styles[2].className, u"Windows");
    for (const rt::StyleInfo& style : styles) {
        tk().setStyle(style.className);
        EXPECT_EQ(tk().currentStyle(), style.className);
    }
    tk().setStyle(u"cLASSIC");
    EXPECT_EQ(tk().currentStyle(), u"Classic");
}

TEST_F(StylesTest, UnknownStyleFailsWithADescriptionAndKeepsTheCurrentOne) {
    tk().setStyle(u"Classic");
    try {
        tk().setStyle(u"NoSuchLook");
        FAIL() << "no failure";
    } catch (const rt::Failure& failure) {
        EXPECT_NE(failure.description().find(u"NoSuchLook"), rt::String::npos);
        EXPECT_NE(failure.description().find(u"Themed, Classic, Windows"), rt::String::npos);
    }
    EXPECT_EQ(tk().currentStyle(), u"Classic");
    tk().setStyle(u"Windows");
}

TEST_F(StylesTest, UpdateStyleKeepsTheWindowLaidOut) {
    rt::Button* button = tk().createButton(u"Go");
    frame->contentPane().add(*button);
    show();
    tk().setStyle(u"Classic");
    frame->updateStyle();
    tk().setStyle(u"Windows");
    frame->updateStyle();
    EXPECT_TRUE(IsWindowVisible(static_cast<HWND>(rtwin::nativeWindowOf(*button))));
    EXPECT_EQ(button->bounds().width, frame->contentPane().bounds().width);
}

// Widths of characters in the font the control draws with.
struct Advances {
    int i, W, dot, M;
    bool fixedPitch;
};

Advances advancesOf(const rt::Component& component) {
    HWND hwnd = static_cast<HWND>(rtwin::nativeWindowOf(component));
    auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, font);
    const auto width = [&](wchar_t c) {
        SIZE size;
        GetTextExtentPoint32W(dc, &c, 1, &size);
        return static_cast<int>(size.cx);
    };
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    // The flag is named backwards: set for a variable-pitch font.
    const Advances result{width(L'i'), width(L'W'), width(L'.'), width(L'M'),
                          (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0};
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return result;
}

using FontsTest = GuiTest;

TEST_F(FontsTest, FixedPitchNamesComeOutFixedPitch) {
    // A control gets its window, which these look at, once placed in a
    // window that is made.
    rt::TextArea* area = tk().createTextArea(u"text");
    frame->contentPane().add(*area);
    show();
    for (const char16_t* name : {u"Courier", u"Monospaced", u"courier new"}) {
        area->setFont({name, rt::Font::Plain, 12});
        const Advances a = advancesOf(*area);
        EXPECT_TRUE(a.fixedPitch) << rt::toUtf8(name);
        EXPECT_EQ(a.i, a.W) << rt::toUtf8(name);
        EXPECT_EQ(a.dot, a.M) << rt::toUtf8(name);
        EXPECT_EQ(area->font(), (rt::Font{name, rt::Font::Plain, 12}));
    }
    area->setFont({u"Courier", rt::Font::Bold | rt::Font::Italic, 14});
    EXPECT_EQ(area->font(), (rt::Font{u"Courier", rt::Font::Bold | rt::Font::Italic, 14}));
}

TEST_F(FontsTest, ComponentsStartWithTheSystemMessageFont) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    rt::TextField* field = tk().createTextField(u"");
    frame->contentPane().add(*field);
    show();
    const std::wstring face = metrics.lfMessageFont.lfFaceName;
    EXPECT_EQ(field->font().name, rt::String(face.begin(), face.end()));
    EXPECT_FALSE(advancesOf(*field).fixedPitch);
}

}  // namespace
