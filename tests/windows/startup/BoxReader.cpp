// boxreader TITLE: waits up to 30 s for a top-level window with that title
// (a message box of the program), writes the text of its message to
// standard output and "foreground" or "background" to standard error, then
// answers the box with OK. Exit status 0, or 2 when no such window came.

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// The box's message: the text of its first child control that has text
// other than the OK button's.
BOOL CALLBACK takeMessage(HWND child, LPARAM found) {
    char text[2048];
    const int n = GetWindowTextA(child, text, sizeof text);
    if (n <= 0 || GetDlgCtrlID(child) == IDOK) return TRUE;
    *reinterpret_cast<std::string*>(found) = std::string(text, static_cast<std::size_t>(n));
    return FALSE;
}

HWND waitForWindow(const char* title) {
    for (int i = 0; i < 300; ++i) {
        if (HWND box = FindWindowA(nullptr, title)) return box;
        Sleep(100);
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    HWND box = waitForWindow(argv[1]);
    if (box == nullptr) return 2;
    std::string message;
    EnumChildWindows(box, takeMessage, reinterpret_cast<LPARAM>(&message));
    _setmode(_fileno(stdout), _O_BINARY);  // the text byte for byte
    std::fwrite(message.data(), 1, message.size(), stdout);
    std::fputs(GetForegroundWindow() == box ? "foreground" : "background", stderr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return 0;
}
