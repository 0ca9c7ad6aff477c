// The built game with its real runtime and splash library: the splash is up
// before the first window, goes once that window is up, and the game's
// event loop, which served the splash on the same thread, goes on.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/windows/splash/HostProcess.h"
#include "tests/windows/splash/JpegVariants.h"

namespace splashtest {
namespace {

std::wstring classOf(HWND hwnd) {
    wchar_t text[64] = {};
    GetClassNameW(hwnd, text, 64);
    return text;
}

std::wstring titleOf(HWND hwnd) {
    wchar_t text[64] = {};
    GetWindowTextW(hwnd, text, 64);
    return text;
}

// The game started in its own directory, ended when this goes.
class Game {
public:
    Game() {
        const std::string exe = besideThisProgram(HANGMAN_RELATIVE);
        const std::string directory = exe.substr(0, exe.find_last_of("\\/"));
        std::string commandLine = "\"" + exe + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                       &startup, &info);
    }
    ~Game() { endProcess(info); }
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    bool running() const { return WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT; }
    HWND splash() const {
        return visibleWindowOf(info.dwProcessId, [](HWND hwnd) { return classOf(hwnd) == L"KovSplash"; });
    }
    HWND wordSelection() const {
        return visibleWindowOf(info.dwProcessId, [](HWND hwnd) { return titleOf(hwnd) == L"Word Selection"; });
    }

    PROCESS_INFORMATION info{};
};

TEST(GameWithSplash, ItsEventLoopGoesOnAfterTheSplashWent) {
    Game game;
    ASSERT_NE(game.info.hProcess, nullptr) << "the game did not start";
    bool splashFirst = false;
    HWND frame = nullptr;
    const DWORD start = GetTickCount();
    while (frame == nullptr && game.running() && GetTickCount() - start < 30000) {
        splashFirst = splashFirst || game.splash() != nullptr;
        frame = game.wordSelection();
        Sleep(1);
    }
    ASSERT_NE(frame, nullptr) << "no first window";
    EXPECT_TRUE(splashFirst) << "no splash before the first window";
    const DWORD shown = GetTickCount();
    while (game.splash() != nullptr && GetTickCount() - shown < 10000) Sleep(10);
    EXPECT_EQ(game.splash(), nullptr) << "the splash stayed";
    Sleep(500);
    ASSERT_TRUE(game.running()) << "the game ended with its splash";
    EXPECT_TRUE(IsWindowVisible(frame));
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutW(frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &result), 0u) << "no answer";
    EXPECT_EQ(titleOf(frame), L"Word Selection");
}

}  // namespace
}  // namespace splashtest
