// The three visual styles: themed controls, classic controls, and the
// system's own choice (themed where the desktop has visual styles on).

#include "runtime/win32/Styles.h"

#include "runtime/Failure.h"
#include "runtime/win32/WindowShells.h"

namespace rtwin {

namespace {

const std::vector<rt::StyleInfo>& styles() {
    static const std::vector<rt::StyleInfo> list = {
        {u"Themed", u"Themed"}, {u"Classic", u"Classic"}, {u"Windows", u"Windows"}};
    return list;
}

rt::String current = u"Windows";

// The theme functions, from uxtheme.dll when a style is first applied.
bool themeActive() {
    static const auto isThemeActive = systemCall<BOOL(WINAPI*)()>(L"uxtheme.dll", "IsThemeActive");
    return isThemeActive != nullptr && isThemeActive();
}

void setWindowTheme(HWND hwnd, const wchar_t* application, const wchar_t* list) {
    static const auto set =
        systemCall<HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR)>(L"uxtheme.dll", "SetWindowTheme");
    if (set != nullptr) set(hwnd, application, list);
}

bool classic() { return current == u"Classic" || (current == u"Windows" && !themeActive()); }

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
    if (classic()) setWindowTheme(control, L"", L"");
    else setWindowTheme(control, nullptr, nullptr);
}

// A new control has the system's look already: only another style is set.
void styleNewControl(HWND control) {
    if (current != u"Windows") styleControl(control);
}

void applyCurrentStyle(HWND root) {
    styleControl(root);
    EnumChildWindows(root, styleOne, 0);
}

}  // namespace rtwin
