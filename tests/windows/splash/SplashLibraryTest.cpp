// The Win32 splash library as the start-up stub and the runtime use it: each
// case starts a host process (SplashHost.h) and watches its windows.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "tests/windows/splash/HostProcess.h"
#include "tests/windows/splash/SplashHost.h"

namespace {

using splashtest::HostProcess;

constexpr DWORD ShowTimeoutMs = 10000;

template <class Condition>
bool waitUntil(Condition done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(5);
    }
    return true;
}

HWND waitForSplash(HostProcess& host) {
    HWND splash = nullptr;
    waitUntil([&] { return (splash = host.splash()) != nullptr; }, ShowTimeoutMs);
    return splash;
}

// Mean of the red, green and blue channels of the screen's pixels in r.
std::vector<int> screenBrightness(const RECT& r) {
    const int width = r.right - r.left, height = r.bottom - r.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    std::vector<int> brightness(static_cast<std::size_t>(width) * height);
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < brightness.size(); ++i)
        brightness[i] = static_cast<int>((pixels[i] >> 16 & 0xff) + (pixels[i] >> 8 & 0xff) + (pixels[i] & 0xff)) / 3;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return brightness;
}

RECT primaryWorkArea() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return monitor.rcWork;
}

void clickAt(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

TEST(SplashLibrary, ShowsTheProgramImageUndecoratedCentredInTheWorkAreaAndNotTopmostWithFlag2Zero) {
    HostProcess host("program 3 1 0 0");
    HWND splash = waitForSplash(host);
    ASSERT_NE(splash, nullptr);
    RECT window, client;
    GetWindowRect(splash, &window);
    GetClientRect(splash, &client);
    EXPECT_EQ(window.right - window.left, 261);
    EXPECT_EQ(window.bottom - window.top, 340);
    EXPECT_EQ(client.right, 261) << "no frame";
    EXPECT_EQ(client.bottom, 340);
    EXPECT_EQ(GetWindowLongW(splash, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU), 0);
    EXPECT_EQ(GetWindowLongW(splash, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    const RECT area = primaryWorkArea();
    EXPECT_NEAR(window.left - area.left, area.right - window.right, 1);
    EXPECT_NEAR(window.top - area.top, area.bottom - window.bottom, 1);

    // The drawing: black lines on white paper (the screen behind is black).
    ASSERT_TRUE(waitUntil([&] { return screenBrightness(window)[100 * 261 + 20] > 200; }, 2000)) << "painted";
    const std::vector<int> shown = screenBrightness(window);
    EXPECT_LT(shown[150 * 261 + 62], 60) << "the gallows' post";
    const auto share = [&](auto test) {
        return static_cast<double>(std::count_if(shown.begin(), shown.end(), test)) / shown.size();
    };
    EXPECT_GT(share([](int b) { return b > 200; }), 0.75);
    EXPECT_GT(share([](int b) { return b < 60; }), 0.03);
}

TEST(SplashLibrary, Flag2KeepsItTopmostAndACloseWithoutAMinimumTimeRemovesItAtOnce) {
    HostProcess host("program 0 1 1 0");
    HWND splash = waitForSplash(host);
    ASSERT_NE(splash, nullptr);
    EXPECT_NE(GetWindowLongW(splash, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    host.send("close");
    ASSERT_TRUE(host.waitForLine("closed", 5000));
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(splash); }, 2000));
}

// value 10: at least one second on screen from when it showed, whether the
// close comes from another thread or from the window's own (the runtime's
// event loop, where its first window is shown).
TEST(SplashLibrary, AnEarlyCloseWaitsForTheMinimumTimeOnScreen) {
    for (const char* close : {"close", "close-here"}) {
        SCOPED_TRACE(close);
        HostProcess host("program 10 1 0 0");
        HWND splash = waitForSplash(host);
        ASSERT_NE(splash, nullptr);
        const DWORD seen = GetTickCount();
        host.send(close);
        ASSERT_TRUE(host.waitForLine(std::strcmp(close, "close") == 0 ? "closed" : "closed here", 5000));
        EXPECT_TRUE(IsWindowVisible(splash)) << "closed within the minimum";
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(splash); }, 6000)) << "closed after the minimum";
        EXPECT_GE(GetTickCount() - seen, 800u);
    }
}

// The start-up stub's close before a fatal message: the splash goes at once,
// within its minimum time (5 s here), and is gone when the call returns,
// whether it comes from another thread (which has the window's thread,
// serving its loop, destroy it) or from the window's own thread (the stub's).
TEST(SplashLibrary, ACloseNowRemovesItBeforeReturningEvenWithinTheMinimumTime) {
    for (const auto& [command, answer] : {std::pair{"close-now", "closed-now"}, {"close-now-here", "closed-now here"}}) {
        SCOPED_TRACE(command);
        HostProcess host("program 50 1 0 0");
        HWND splash = waitForSplash(host);
        ASSERT_NE(splash, nullptr);
        host.send(command);
        ASSERT_TRUE(host.waitForLine(answer, 3000));
        EXPECT_FALSE(IsWindow(splash));
        EXPECT_FALSE(waitUntil([&] { return host.splash() != nullptr; }, 1000)) << "it came back";
    }
}

// Right after the start, before the host's loop has served the window: the
// call returns with no splash left, and none comes later.
TEST(SplashLibrary, ACloseNowRightAfterTheStartLeavesNoSplash) {
    HostProcess host("program 50 1 0 0");
    ASSERT_TRUE(host.waitForLine("ready", 5000));
    host.send("close-now");
    ASSERT_TRUE(host.waitForLine("closed-now", 3000));
    EXPECT_FALSE(waitUntil([&] { return host.splash() != nullptr; }, 1500));
}

// The word at the data address: the longest time on screen in seconds.
TEST(SplashLibrary, ClosesItselfAfterTheLongestTimeWithoutAClose) {
    HostProcess host("program 0 1 0 1");
    HWND splash = waitForSplash(host);
    ASSERT_NE(splash, nullptr);
    const DWORD seen = GetTickCount();
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(splash); }, 6000));
    EXPECT_GE(GetTickCount() - seen, 800u);
}

// A close before the image: no splash ever shows.
TEST(SplashLibrary, ACloseBeforeItShowedMeansItNeverShows) {
    HostProcess host("program 0 1 0 0 close-first");
    ASSERT_TRUE(host.waitForLine("ready", 5000));
    EXPECT_FALSE(waitUntil([&] { return host.splash() != nullptr; }, 1500));
    EXPECT_TRUE(host.running());
}

// flag1 0: a click neither closes it nor takes the focus from the host's window.
TEST(SplashLibrary, NeverTakesTheFocusNotEvenOnAClick) {
    HostProcess host("program 0 0 0 0 front");
    HWND splash = waitForSplash(host);
    ASSERT_NE(splash, nullptr);
    ASSERT_NE(host.front(), nullptr);
    EXPECT_EQ(GetForegroundWindow(), host.front());
    clickAt(splash);
    Sleep(500);
    EXPECT_TRUE(IsWindowVisible(splash));
    EXPECT_EQ(GetForegroundWindow(), host.front());
}

TEST(SplashLibrary, WithFlag1AClickClosesItAndTheFocusStays) {
    HostProcess host("program 0 1 0 0 front");
    HWND splash = waitForSplash(host);
    ASSERT_NE(splash, nullptr);
    clickAt(splash);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(splash); }, 3000));
    EXPECT_EQ(GetForegroundWindow(), host.front());
}

// COM and the imaging component take longer to load under Wine than the
// program takes to its first window: the splash decodes without them.
TEST(SplashLibrary, ShowsTheImageWithoutLoadingCom) {
    HostProcess host("program 0 1 0 0");
    ASSERT_NE(waitForSplash(host), nullptr);
    host.send("modules");
    EXPECT_TRUE(host.waitForLine("modules: no COM", 5000));
}

TEST(SplashLibrary, ShowsAProgressiveImage) {
    HostProcess host("progressive 0 1 0 0");
    HWND splash = waitForSplash(host);
    ASSERT_NE(splash, nullptr);
    RECT window;
    GetWindowRect(splash, &window);
    EXPECT_EQ(window.right - window.left, 261);
    EXPECT_EQ(window.bottom - window.top, 340);
    ASSERT_TRUE(waitUntil([&] { return screenBrightness(window)[100 * 261 + 20] > 200; }, 2000)) << "painted";
    EXPECT_LT(screenBrightness(window)[150 * 261 + 62], 60) << "the gallows' post";
}

// Each kind of bad image in a host of its own, all at once: no window, the
// host goes on, and SplashClose is still safe.
TEST(SplashLibrary, BadImagesShowNothingAndNeverFault) {
    const char* kinds[] = {"truncated", "text", "empty", "huge", "beyond", "scans"};
    std::vector<std::unique_ptr<HostProcess>> hosts;
    for (const char* kind : kinds) hosts.push_back(std::make_unique<HostProcess>(std::string(kind) + " 0 1 0 0"));
    for (std::size_t i = 0; i < hosts.size(); ++i) ASSERT_TRUE(hosts[i]->waitForLine("ready", 5000)) << kinds[i];
    const bool shown = waitUntil(
        [&] { return std::any_of(hosts.begin(), hosts.end(), [](auto& host) { return host->splash() != nullptr; }); },
        1500);
    EXPECT_FALSE(shown);
    for (std::size_t i = 0; i < hosts.size(); ++i) {
        EXPECT_EQ(hosts[i]->splash(), nullptr) << kinds[i];
        hosts[i]->send("close");
        EXPECT_TRUE(hosts[i]->waitForLine("closed", 5000)) << kinds[i];
        EXPECT_TRUE(hosts[i]->running()) << kinds[i];
    }
}

// The start-up order: the stub hands over the image, then loads the runtime;
// a DllMain that registers a window class (comctl32's) loads with the
// splash up.
TEST(SplashLibrary, ALibraryThatRegistersAClassInDllMainLoadsWhileTheSplashStarts) {
    HostProcess host("program 0 1 0 0 slow-attach");
    EXPECT_TRUE(host.waitForLine("attached", 10000)) << "the load hung";
    EXPECT_NE(waitForSplash(host), nullptr);
}

// The stub loads the runtime after SplashLoadMemory and serves no messages
// meanwhile: the splash is on screen, painted, when the call returns, and
// belongs to the calling thread, whose later loops serve it.
TEST(SplashLibrary, IsOnScreenAndPaintedWhenTheLoadReturnsOnTheCallersThread) {
    HostProcess host("program 0 1 0 0 hold");
    ASSERT_TRUE(host.waitForLine("loaded, splash of this thread", ShowTimeoutMs));
    HWND splash = host.splash();
    ASSERT_NE(splash, nullptr);
    RECT window;
    GetWindowRect(splash, &window);
    EXPECT_EQ(window.right - window.left, 261);
    EXPECT_EQ(window.bottom - window.top, 340);
    const std::vector<int> shown = screenBrightness(window);
    EXPECT_GT(shown[100 * 261 + 20], 200) << "the paper";
    EXPECT_LT(shown[150 * 261 + 62], 60) << "the gallows' post";
    EXPECT_FALSE(host.waitForLine("serving", 0)) << "looked too late: the host serves messages again";
}

// From another thread while the window's thread serves no messages: the
// call gives up within its limit of 2 s, and the splash goes as soon as
// the thread serves its messages again.
TEST(SplashLibrary, ACloseNowFromAnotherThreadWaitsAtMostItsLimitForTheWindowsThread) {
    HostProcess host("program 50 1 0 0 hold");
    ASSERT_TRUE(host.waitForLine("loaded, splash of this thread", ShowTimeoutMs));
    HWND splash = host.splash();
    ASSERT_NE(splash, nullptr);
    const DWORD sent = GetTickCount();
    host.send("close-now");
    ASSERT_TRUE(host.waitForLine("closed-now, splash left", 2700)) << "waited past its limit";
    EXPECT_GE(GetTickCount() - sent, 1500u) << "gave up before its limit";
    ASSERT_TRUE(host.waitForLine("serving", 3000));
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(splash); }, 2000)) << "left after the thread served again";
}

// The splash is served by the host's loop, as by the runtime's event loop:
// however it goes (a close, its longest time, a click), that loop goes on.
void expectTheLoopGoesOn(HostProcess& host) {
    ASSERT_TRUE(waitUntil([&] { return host.splash() == nullptr; }, 5000)) << "the splash stayed";
    Sleep(200);
    host.send("ping");
    EXPECT_TRUE(host.waitForLine("pong", 3000));
    EXPECT_FALSE(host.waitForLine("loop ended", 0));
    EXPECT_TRUE(host.running());
}

TEST(SplashLibrary, TheLoopThatServedItGoesOnAfterItCloses) {
    HostProcess closed("program 0 1 0 0"), timedOut("program 0 1 0 1");
    ASSERT_NE(waitForSplash(closed), nullptr);
    ASSERT_NE(waitForSplash(timedOut), nullptr);
    closed.send("close");
    expectTheLoopGoesOn(closed);
    expectTheLoopGoesOn(timedOut);
    HostProcess clicked("program 0 1 0 0");
    HWND splash = waitForSplash(clicked);
    ASSERT_NE(splash, nullptr);
    clickAt(splash);
    expectTheLoopGoesOn(clicked);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--host") == 0) return splashtest::hostMain(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
