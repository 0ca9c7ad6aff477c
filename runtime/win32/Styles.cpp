// The three visual styles: themed controls, classic controls, and the
// system's own choice (themed where the desktop has visual styles on).

#include "runtime/win32/Styles.h"

#include "runtime/Failure.h"
#include "runtime/win32/WindowShells.h"

#include <uxtheme.h>

namespace rtwin {

namespace {

const std::vector<rt::StyleInfo>& styles() {
    static const std::vector<rt::StyleInfo> list = {
        {u"Themed", u"Themed"}, {u"Classic", u"Classic"}, {u"Windows", u"Windows"}};
    return list;
}

rt::String current = u"Windows";

bool classic() {
    return current == u"Classic" || (current == u"Windows" && !IsThemeActive());
}

BOOL CALLBACK styleOne(HWND hwnd, LPARAM) {
    styleControl(hwnd);
    return TRUE;
}

}  // namespace

std::vector<rt::StyleInfo> installedStyles() { return styles(); }

void setStyle(const rt::String& className) {
    for (const rt::StyleInfo& style : styles()) {
        if (rt::equalsIgnoreCase(style.className, className)) {
            current = style.className;
            return;
        }
    }
    rt::String names;
    for (const rt::StyleInfo& style : styles()) names += (names.empty() ? u"" : u", ") + style.className;
    throw rt::Failure(u"Visual style " + className + u" is not installed (installed: " + names + u")");
}

rt::String currentStyle() { return current; }

void styleControl(HWND control) {
    if (classic()) SetWindowTheme(control, L"", L"");
    else SetWindowTheme(control, nullptr, nullptr);
}

void applyCurrentStyle(HWND root) {
    styleControl(root);
    EnumChildWindows(root, styleOne, 0);
}

}  // namespace rtwin
