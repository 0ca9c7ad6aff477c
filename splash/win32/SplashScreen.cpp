// The exports of splashscreen.dll (see splash/SplashProtocol.h) and the
// splash thread. SplashLoadMemory copies the JPEG (when every byte is
// readable), readies the window class, starts the splash thread and returns
// once it runs: that thread decodes the image and shows the window, unless
// the program's first window was shown first (SplashClose).
//
// The window class and the work area are fetched by the caller of
// SplashLoadMemory, before the splash thread exists: the process's first
// USER call sets up the display driver, which Wine loads through the system
// loader. Made first on the splash thread, that set-up could wait for the
// loader lock while the caller, loading the runtime, sat in a DllMain that
// registers a window class (comctl32's does) and waited for the same set-up:
// neither went on.
//
// The caller holds the loader lock while it loads the runtime (comctl32's
// DllMain included), so the splash thread needs it for nothing once it runs:
// SplashLoadMemory waits until the thread has started (a thread's start
// runs every library's thread attach under that lock), and the thread has
// no input method (whose set-up at the thread's first window loads the
// method's module). Either wait held the splash back until the runtime's
// first window was nearly made.

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>

#include "splash/SplashProtocol.h"
#include "splash/SplashOptions.h"
#include "splash/win32/SplashImage.h"

namespace {

constexpr std::uint32_t MaxImageBytes = 16u << 20;
constexpr UINT CloseMessage = WM_APP + 1;
constexpr UINT_PTR MinimumTimer = 1;
constexpr UINT_PTR MaximumTimer = 2;
constexpr DWORD CloseNowWaitMs = 2000;
constexpr const wchar_t* SplashClass = L"KovSplash";

// What the splash thread receives.
struct Job {
    std::vector<std::uint8_t> bytes;
    RECT area;  // the primary monitor's work area
};

splash::SplashOptions options;
HINSTANCE instance = nullptr;
std::atomic<bool> started{false};
std::atomic<bool> closeRequested{false};
std::atomic<bool> closeNow{false};
HANDLE splashThreadHandle = nullptr;  // kept for SplashCloseNow to wait on
HANDLE splashThreadRunning = nullptr;  // kept: the thread may set it after the wait gave up
constexpr DWORD StartWaitMs = 100;
using DisableImeFn = BOOL(WINAPI*)(DWORD);
DisableImeFn disableIme = nullptr;  // imm32's ImmDisableIME when imm32 is loaded
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
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

// On the caller's thread: the window class and the work area (see above).
bool prepareDisplay(RECT& area) {
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&prepareDisplay), &instance);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.hInstance = instance;
    wc.lpfnWndProc = splashProcedure;
    wc.lpszClassName = SplashClass;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_APPSTARTING));
    if (RegisterClassExW(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    if (HMODULE imm = GetModuleHandleW(L"imm32.dll"))
        disableIme = reinterpret_cast<DisableImeFn>(reinterpret_cast<void*>(GetProcAddress(imm, "ImmDisableIME")));
    return SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0) != FALSE;
}

// Centred in the work area; it never takes the focus, not even on a click.
HWND createWindow(SIZE size, const RECT& area) {
    const int x = area.left + std::max<int>(0, (area.right - area.left - size.cx) / 2);
    const int y = area.top + std::max<int>(0, (area.bottom - area.top - size.cy) / 2);
    const DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | (options.window.keepAbove ? WS_EX_TOPMOST : 0);
    return CreateWindowExW(exStyle, SplashClass, L"", WS_POPUP, x, y, size.cx, size.cy, nullptr, nullptr, instance,
                           nullptr);
}

void showSplash(const Job& job) {
    SIZE size{};
    picture = splash_win32::decodeJpeg(job.bytes, job.area, size);
    if (picture == nullptr) return;
    // The program's first window came first: a splash now would only cover
    // it, as on Linux it is not shown.
    HWND hwnd = closeRequested ? nullptr : createWindow(size, job.area);
    if (hwnd != nullptr) {
        ShowWindow(hwnd, SW_SHOWNOACTIVATE);
        UpdateWindow(hwnd);
        shownAt = GetTickCount();
        if (options.maximum.count() > 0) SetTimer(hwnd, MaximumTimer, milliseconds(options.maximum), nullptr);
        // Published before the close flag is read: a SplashClose that came
        // first is seen here, one that comes later sees the window.
        window = hwnd;
        if (closeRequested) PostMessageW(hwnd, CloseMessage, 0, 0);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    }
    DeleteObject(picture);
}

DWORD WINAPI splashThread(void* data) {
    SetEvent(splashThreadRunning);
    std::unique_ptr<Job> job(static_cast<Job*>(data));
    if (disableIme != nullptr) disableIme(0);  // this thread only; the splash takes no typing
    showSplash(*job);
    return 0;
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
    if (started) return 0;  // the splash thread reads the options
    options = splash::optionsFrom(value, flag1, flag2, data);
    return 1;
}

extern "C" __declspec(dllexport) int SplashLoadMemory(const void* bytes, std::uint32_t count) {
    if (bytes == nullptr || count == 0 || count > MaxImageBytes || !readable(bytes, count)) return 1;
    if (started.exchange(true)) return 0;
    const auto* first = static_cast<const std::uint8_t*>(bytes);
    auto job = std::make_unique<Job>(Job{{first, first + count}, {}});
    if (!prepareDisplay(job->area)) return 1;
    splashThreadRunning = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (splashThreadRunning == nullptr) return 1;
    splashThreadHandle = CreateThread(nullptr, 0, splashThread, job.get(), 0, nullptr);
    if (splashThreadHandle == nullptr) return 1;
    job.release();
    WaitForSingleObject(splashThreadRunning, StartWaitMs);
    return 1;
}

extern "C" __declspec(dllexport) void SplashClose() {
    closeRequested = true;
    if (HWND hwnd = window) PostMessageW(hwnd, CloseMessage, 0, 0);
}

extern "C" __declspec(dllexport) void SplashCloseNow() {
    closeNow = true;
    SplashClose();
    if (splashThreadHandle != nullptr) WaitForSingleObject(splashThreadHandle, CloseNowWaitMs);
}
