// A second reference of the first-window benchmark: the "Word Selection"
// window (menu bar, label, list, two buttons, the program's icon and
// manifest) written directly on Win32 in one go, as a hand-made program
// would. What hangman.exe costs beyond it is the stub, the runtime and the
// framework; what it costs beyond the bare window is the window's content.
// Built a second time with SPLASH_FIRST set, it first shows a splash as
// hangman.exe's does (a picture of the same size in a tool window centred
// in the work area, shown without activation and painted at once) and
// closes it once the window is up: what a splash costs a hand-made
// program's first window.

#include <windows.h>

#include <commctrl.h>

#ifndef SPLASH_FIRST
#define SPLASH_FIRST 0
#endif

namespace {

constexpr SIZE SplashSize{261, 340};

LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Paints the picture, held in a memory device context kept in the window's
// user data.
LRESULT CALLBACK splashProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcW(hwnd, message, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    auto* memory = reinterpret_cast<HDC>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    BitBlt(dc, 0, 0, SplashSize.cx, SplashSize.cy, memory, 0, 0, SRCCOPY);
    EndPaint(hwnd, &ps);
    return 0;
}

// A picture of the splash's size (a gradient stands in for the decoded
// image) in a memory device context.
HDC splashPicture() {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), SplashSize.cx, -SplashSize.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<DWORD*>(bits);
    for (LONG y = 0; y < SplashSize.cy; ++y) {
        for (LONG x = 0; x < SplashSize.cx; ++x) {
            pixels[y * SplashSize.cx + x] = RGB(x * 255 / SplashSize.cx, y * 255 / SplashSize.cy, 128);
        }
    }
    HDC memory = CreateCompatibleDC(nullptr);
    SelectObject(memory, picture);
    return memory;
}

HWND showSplash(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.hInstance = instance;
    wc.lpfnWndProc = splashProcedure;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_APPSTARTING));
    wc.lpszClassName = L"NativeSplash";
    RegisterClassExW(&wc);
    RECT area;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    HWND splash = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, wc.lpszClassName, L"", WS_POPUP,
                                  area.left + (area.right - area.left - SplashSize.cx) / 2,
                                  area.top + (area.bottom - area.top - SplashSize.cy) / 2, SplashSize.cx,
                                  SplashSize.cy, nullptr, nullptr, instance, nullptr);
    SetWindowLongPtrW(splash, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(splashPicture()));
    ShowWindow(splash, SW_SHOWNOACTIVATE);
    UpdateWindow(splash);
    return splash;
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
    HWND splash = SPLASH_FIRST ? showSplash(instance) : nullptr;
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
    if (splash != nullptr) PostMessageW(splash, WM_CLOSE, 0, 0);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(frame, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
