// boxreader TITLE: waits up to 30 s for a message box with that title to be
// shown, writes the text of its message to standard output (UTF-8) and
// "foreground" or "background" to standard error, followed by " under a
// splash" when a splash window (class KovSplash) was on screen with the box
// then or within the next second; then answers the box with OK. Exit status
// 0, or 2 when no such box came.

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// Identifier of the static control that shows a message box's text.
constexpr int MessageTextId = 0xFFFF;

std::string utf8(const wchar_t* text, int length) {
    std::string out(static_cast<std::size_t>(length) * 3, '\0');
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), static_cast<int>(out.size()), nullptr,
                                      nullptr);
    out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return out;
}

// The message box with that title once it is on screen with its text, or
// null after 30 s.
HWND waitForBox(const wchar_t* title, std::string& message) {
    for (int i = 0; i < 300; ++i, Sleep(100)) {
        HWND box = FindWindowW(nullptr, title);
        if (box == nullptr || !IsWindowVisible(box)) continue;
        wchar_t text[2048];
        const int n = GetDlgItemTextW(box, MessageTextId, text, 2048);
        if (n <= 0) continue;
        message = utf8(text, n);
        return box;
    }
    return nullptr;
}

// True when the box is (or within 2 s becomes) the foreground window.
bool comesToTheForeground(HWND box) {
    for (int i = 0; i < 20; ++i, Sleep(100)) {
        if (GetForegroundWindow() == box) return true;
    }
    return false;
}

// True when a splash window is visible now or within the next second.
bool splashShown() {
    for (int i = 0; i < 10; ++i, Sleep(100)) {
        HWND splash = FindWindowW(L"KovSplash", nullptr);
        if (splash != nullptr && IsWindowVisible(splash)) return true;
    }
    return false;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc != 2) return 2;
    std::string message;
    HWND box = waitForBox(argv[1], message);
    if (box == nullptr) return 2;
    const bool underSplash = splashShown();
    _setmode(_fileno(stdout), _O_BINARY);  // the text byte for byte
    std::fwrite(message.data(), 1, message.size(), stdout);
    std::fputs(comesToTheForeground(box) ? "foreground" : "background", stderr);
    if (underSplash) std::fputs(" under a splash", stderr);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return 0;
}
