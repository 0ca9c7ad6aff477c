// A second reference of the first-window benchmark: the "Word Selection"
// window (menu bar, label, list, two buttons, the program's icon and
// manifest) written directly on Win32 in one go, as a hand-made program
// would. What hangman.exe costs beyond it is the stub, the runtime and the
// framework; what it costs beyond the bare window is the window's content.

#include <windows.h>

#include <commctrl.h>

namespace {

LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HMENU menuBar() {
    HMENU bar = CreateMenu();
    const wchar_t* menus[][3] = {{L"File", L"Import List", L"Export List"},
                                 {L"Edit", L"Add", L"Remove"},
                                 {L"Sort", L"Sort Alphabetacaly", L"Sort by Length"}};
    UINT id = 10;
    for (const auto& menu : menus) {
        HMENU popup = CreatePopupMenu();
        AppendMenuW(popup, MF_STRING, id++, menu[1]);
        AppendMenuW(popup, MF_STRING, id++, menu[2]);
        AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), menu[0]);
    }
    return bar;
}

void addControl(HWND frame, HFONT font, const wchar_t* windowClass, const wchar_t* text, DWORD style, DWORD exStyle,
                RECT at) {
    HWND control = CreateWindowExW(exStyle, windowClass, text, style | WS_CHILD | WS_VISIBLE, at.left, at.top,
                                   at.right, at.bottom, frame, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.hInstance = instance;
    wc.lpfnWndProc = procedure;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"NativeWordSelection";
    RegisterClassExW(&wc);
    RECT outer{0, 0, 300, 300};
    AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, TRUE, WS_EX_CONTROLPARENT);
    HWND frame = CreateWindowExW(WS_EX_CONTROLPARENT, wc.lpszClassName, L"Word Selection",
                                 WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                                 outer.right - outer.left, outer.bottom - outer.top, nullptr, menuBar(), instance,
                                 nullptr);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    addControl(frame, font, L"STATIC", L"Words:", 0, 0, {2, 2, 35, 12});
    addControl(frame, font, L"LISTBOX", L"", WS_VSCROLL | LBS_NOTIFY, WS_EX_CLIENTEDGE, {2, 22, 296, 226});
    addControl(frame, font, L"BUTTON", L"Select Word", WS_TABSTOP, 0, {22, 253, 83, 23});
    addControl(frame, font, L"BUTTON", L"Select Random Word", WS_TABSTOP, 0, {150, 253, 127, 23});
    ShowWindow(frame, show);
    UpdateWindow(frame);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(frame, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
