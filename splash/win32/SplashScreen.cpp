// The exports of splashscreen.dll (see splash/SplashProtocol.h).
// SplashLoadMemory decodes the JPEG, makes the window, shows it and paints it
// on the caller's thread before it returns; from then on whatever message
// loop that thread runs serves the window (its painting, its timers, the
// close, a click): the runtime's event loop, a message box's loop. The
// window never posts a quit message, since the loop is not its own.
//
// The window is the caller's and not a thread's of its own because a
// second GUI thread costs Wine a display connection and a message queue of
// its own, 24-28 ms at its first window: a splash made there showed after a
// plain program's first window, and its set-up held back the program's.
//
// SplashClose and SplashCloseNow may come from any thread: the window is
// published before the close flags are read, and the closes set their flag
// before they read the window, so that each close either finds the window
// or is seen before it shows.

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <span>

#include "splash/SplashProtocol.h"
#include "splash/SplashOptions.h"
#include "splash/win32/SplashImage.h"

namespace {

constexpr std::uint32_t MaxImageBytes = 16u << 20;
constexpr UINT CloseMessage = WM_APP + 1;
constexpr UINT_PTR MinimumTimer = 1;
constexpr UINT_PTR MaximumTimer = 2;
constexpr UINT CloseNowWaitMs = 2000;
constexpr const wchar_t* SplashClass = L"KovSplash";

splash::SplashOptions options;
HINSTANCE instance = nullptr;
std::atomic<bool> started{false};
std::atomic<bool> closeRequested{false};
std::atomic<bool> closeNow{false};
std::atomic<HWND> window{nullptr};
HBITMAP picture = nullptr;
DWORD shownAt = 0;

void paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, picture);
    RECT client;
    GetClientRect(hwnd, &client);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    EndPaint(hwnd, &ps);
}

// Both times are capped well below 2^32 milliseconds.
DWORD milliseconds(std::chrono::milliseconds time) { return static_cast<DWORD>(time.count()); }

// A close waits for the rest of the shortest time on screen, unless it is
// asked for at once.
void closeAfterMinimum(HWND hwnd) {
    const DWORD elapsed = GetTickCount() - shownAt;
    const DWORD minimum = milliseconds(options.minimum);
    if (closeNow || elapsed >= minimum) DestroyWindow(hwnd);
    else SetTimer(hwnd, MinimumTimer, minimum - elapsed, nullptr);
}

LRESULT CALLBACK splashProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        paint(hwnd);
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
        if (options.window.closeOnClick) DestroyWindow(hwnd);
        return 0;
    case CloseMessage:
        closeAfterMinimum(hwnd);
        return 0;
    case WM_TIMER:
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        window = nullptr;
        DeleteObject(picture);
        picture = nullptr;
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

bool registerClass() {
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&registerClass), &instance);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.hInstance = instance;
    wc.lpfnWndProc = splashProcedure;
    wc.lpszClassName = SplashClass;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_APPSTARTING));
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// Centred in the work area; it never takes the focus, not even on a click.
HWND createWindow(SIZE size, const RECT& area) {
    const int x = area.left + std::max<int>(0, (area.right - area.left - size.cx) / 2);
    const int y = area.top + std::max<int>(0, (area.bottom - area.top - size.cy) / 2);
    const DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | (options.window.keepAbove ? WS_EX_TOPMOST : 0);
    return CreateWindowExW(exStyle, SplashClass, L"", WS_POPUP, x, y, size.cx, size.cy, nullptr, nullptr, instance,
                           nullptr);
}

// Shows the splash, painted, unless a close came first (the program's
// first window is then up, and a splash would only cover it).
void showSplash(std::span<const std::uint8_t> bytes) {
    RECT area;
    if (closeRequested || !registerClass() || !SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) return;
    SIZE size{};
    picture = splash_win32::decodeJpeg(bytes, area, size);
    if (picture == nullptr) return;
    HWND hwnd = createWindow(size, area);
    if (hwnd == nullptr) {
        DeleteObject(picture);
        picture = nullptr;
        return;
    }
    window = hwnd;
    if (closeRequested) {
        DestroyWindow(hwnd);
        return;
    }
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd);
    shownAt = GetTickCount();
    if (options.maximum.count() > 0) SetTimer(hwnd, MaximumTimer, milliseconds(options.maximum), nullptr);
}

// Whether all count bytes at bytes are committed, readable memory: a count
// larger than the caller's data then gives no splash instead of a fault.
bool readable(const void* bytes, std::uint32_t count) {
    const auto* next = static_cast<const std::uint8_t*>(bytes);
    const std::uint8_t* const end = next + count;
    constexpr DWORD Readable =
        PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE |
        PAGE_EXECUTE_WRITECOPY;
    while (next < end) {
        MEMORY_BASIC_INFORMATION region;
        if (VirtualQuery(next, &region, sizeof region) == 0 || region.State != MEM_COMMIT ||
            (region.Protect & Readable) == 0 || (region.Protect & PAGE_GUARD) != 0) {
            return false;
        }
        next = static_cast<const std::uint8_t*>(region.BaseAddress) + region.RegionSize;
    }
    return true;
}

}  // namespace

extern "C" __declspec(dllexport) int SplashInitEx(std::uint32_t value, std::uint32_t flag1, std::uint32_t flag2,
                                                  const void* data) {
    if (started) return 0;  // the window is made with the options
    options = splash::optionsFrom(value, flag1, flag2, data);
    return 1;
}

extern "C" __declspec(dllexport) int SplashLoadMemory(const void* bytes, std::uint32_t count) {
    if (bytes == nullptr || count == 0 || count > MaxImageBytes || !readable(bytes, count)) return 1;
    if (started.exchange(true)) return 0;
    showSplash({static_cast<const std::uint8_t*>(bytes), count});
    return 1;
}

extern "C" __declspec(dllexport) void SplashClose() {
    closeRequested = true;
    if (HWND hwnd = window) PostMessageW(hwnd, CloseMessage, 0, 0);
}

// The window's own thread destroys it here; another thread has that thread
// destroy it while it serves its messages. One that serves none within the
// time finds the close in its queue when it does.
extern "C" __declspec(dllexport) void SplashCloseNow() {
    closeNow = true;
    closeRequested = true;
    HWND hwnd = window;
    if (hwnd == nullptr) return;
    if (GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId()) DestroyWindow(hwnd);
    else if (SendMessageTimeoutW(hwnd, CloseMessage, 0, 0, SMTO_NORMAL, CloseNowWaitMs, nullptr) == 0)
        PostMessageW(hwnd, CloseMessage, 0, 0);
}
