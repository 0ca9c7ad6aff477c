#include "tests/windows/splash/SplashHost.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "splash/SplashProtocol.h"
#include "splash/win32/JpegPixels.h"
#include "tests/windows/splash/JpegVariants.h"

namespace splashtest {

namespace {

using splash_protocol::CloseFn;

CloseFn closeSplash = nullptr;
CloseFn closeSplashNow = nullptr;

template <class Fn>
Fn entry(HMODULE library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

void say(const std::string& line) {
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// The first page of jpeg on a page that an unreadable one follows; the
// caller hands over the whole count.
const void* beforeUnreadablePage(const std::vector<std::uint8_t>& jpeg) {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const DWORD page = system.dwPageSize;
    auto* pages = static_cast<std::uint8_t*>(VirtualAlloc(nullptr, 2 * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    DWORD old = 0;
    VirtualProtect(pages + page, page, PAGE_NOACCESS, &old);
    std::memcpy(pages, jpeg.data(), page);
    return pages;
}

struct Image {
    std::vector<std::uint8_t> bytes;
    const void* data;
    std::uint32_t count;
};

Image imageOfKind(const std::string& kind) {
    Image image{kind == "progressive" ? jpegBesideThisProgram("progressive.jpg") : programJpeg(), nullptr, 0};
    if (kind == "truncated") image.bytes.resize(image.bytes.size() / 2);
    if (kind == "scans") image.bytes = withScans(image.bytes, splash_win32::MaxScans + 1);
    if (kind == "text") image.bytes.assign(4096, 'x');
    if (kind == "huge") setFrameSize(image.bytes, 0xffff);
    image.data = kind == "beyond" ? beforeUnreadablePage(image.bytes) : image.bytes.data();
    image.count = kind == "empty" ? 0 : static_cast<std::uint32_t>(image.bytes.size());
    return image;
}

LRESULT CALLBACK frontProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void showFrontWindow() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = frontProcedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"SplashHostFront";
    RegisterClassExW(&wc);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, FrontTitle, WS_OVERLAPPEDWINDOW, 0, 0, 240, 160, nullptr,
                                nullptr, wc.hInstance, nullptr);
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
}

// Under Wine the display is set up by the process's first USER call, which
// loads the module winex11.drv; waits (at most 2 s) until that has begun,
// then holds the loader lock while the set-up may still be going on.
void loadSlowAttachLibrary() {
    for (int i = 0; i < 2000 && GetModuleHandleW(L"winex11.drv") == nullptr; ++i) Sleep(1);
    if (LoadLibraryA(besideThisProgram("splash_slow_attach.dll").c_str()) != nullptr) say("attached");
}

// Commands that the splash's own thread carries out, from its message loop.
constexpr UINT HereMessage = WM_APP + 7;
enum HereCommand : WPARAM { CloseHere, CloseNowHere, Ping };
DWORD hostThread = 0;

bool splashLeft() { return FindWindowW(L"KovSplash", nullptr) != nullptr; }

void carryOut(WPARAM command) {
    if (command == CloseHere) {
        closeSplash();
        say("closed here");
    }
    if (command == CloseNowHere) {
        closeSplashNow();
        say(splashLeft() ? "closed-now here, splash left" : "closed-now here");
    }
    if (command == Ping) say("pong");
}

// Which thread the splash window belongs to, seen right after SplashLoadMemory.
std::string splashOwner() {
    HWND splash = FindWindowW(L"KovSplash", nullptr);
    if (splash == nullptr || !IsWindowVisible(splash)) return "no splash";
    return GetWindowThreadProcessId(splash, nullptr) == GetCurrentThreadId() ? "splash of this thread"
                                                                               : "splash of another thread";
}

DWORD WINAPI followCommands(void*) {
    std::string line;
    char c = 0;
    DWORD read = 0;
    while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), &c, 1, &read, nullptr) && read == 1) {
        if (c != '\n') {
            line += c;
            continue;
        }
        if (line == "close") {
            closeSplash();
            say("closed");
        }
        if (line == "modules") {
            const bool com = GetModuleHandleW(L"ole32.dll") != nullptr || GetModuleHandleW(L"windowscodecs.dll") != nullptr;
            say(com ? "modules: COM" : "modules: no COM");
        }
        if (line == "close-now") {
            closeSplashNow();
            say(splashLeft() ? "closed-now, splash left" : "closed-now");
        }
        const char* here[] = {"close-here", "close-now-here", "ping"};
        for (WPARAM i = 0; i < std::size(here); ++i)
            if (line == here[i]) PostThreadMessageW(hostThread, HereMessage, i, 0);
        line.clear();
    }
    TerminateProcess(GetCurrentProcess(), 0);
    return 0;
}

bool given(int argc, char** argv, const char* option) {
    for (int i = 7; i < argc; ++i)
        if (std::strcmp(argv[i], option) == 0) return true;
    return false;
}

}  // namespace

int hostMain(int argc, char** argv) {
    if (argc < 7) return 2;
    HMODULE library = LoadLibraryA(besideThisProgram(SPLASH_DIR "/splashscreen.dll").c_str());
    const auto initEx = entry<splash_protocol::InitExFn>(library, splash_protocol::InitExName);
    const auto loadMemory = entry<splash_protocol::LoadMemoryFn>(library, splash_protocol::LoadMemoryName);
    closeSplash = entry<CloseFn>(library, splash_protocol::CloseName);
    closeSplashNow = entry<splash_protocol::CloseNowFn>(library, splash_protocol::CloseNowName);
    if (initEx == nullptr || loadMemory == nullptr || closeSplash == nullptr || closeSplashNow == nullptr) return 2;
    if (given(argc, argv, "front")) showFrontWindow();

    const Image image = imageOfKind(argv[2]);
    const auto number = [&](int i) { return static_cast<std::uint32_t>(std::strtoul(argv[i], nullptr, 10)); };
    const std::uint32_t seconds = number(6);
    initEx(number(3), number(4), number(5), &seconds);
    if (given(argc, argv, "close-first")) closeSplash();
    loadMemory(image.data, image.count);
    if (given(argc, argv, "slow-attach")) loadSlowAttachLibrary();
    hostThread = GetCurrentThreadId();
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for the commands here
    CloseHandle(CreateThread(nullptr, 0, followCommands, nullptr, 0, nullptr));
    if (given(argc, argv, "hold")) {
        say("loaded, " + splashOwner());
        Sleep(HoldMs);
        say("serving");
    }
    say("ready");
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == nullptr && message.message == HereMessage) carryOut(message.wParam);
        else DispatchMessageW(&message);
    }
    say("loop ended");
    return 0;
}

}  // namespace splashtest
