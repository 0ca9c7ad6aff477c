// boxreader TITLE: waits up to 30 s for a message box with that title to be
// shown, writes the text of its message to standard output and "foreground"
// or "background" to standard error, then answers the box with OK. Exit
// status 0, or 2 when no such box came.

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// Identifier of the static control that shows a message box's text.
constexpr int MessageTextId = 0xFFFF;

// The message box with that title once it is on screen with its text, or
// null after 30 s.
HWND waitForBox(const char* title, std::string& message) {
    for (int i = 0; i < 300; ++i, Sleep(100)) {
        HWND box = FindWindowA(nullptr, title);
        if (box == nullptr || !IsWindowVisible(box)) continue;
        char text[2048];
        const int n = GetDlgItemTextA(box, MessageTextId, text, sizeof text);
        if (n <= 0) continue;
        message.assign(text, static_cast<std::size_t>(n));
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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    std::string message;
    HWND box = waitForBox(argv[1], message);
    if (box == nullptr) return 2;
    _setmode(_fileno(stdout), _O_BINARY);  // the text byte for byte
    std::fwrite(message.data(), 1, message.size(), stdout);
    std::fputs(comesToTheForeground(box) ? "foreground" : "background", stderr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return 0;
}
