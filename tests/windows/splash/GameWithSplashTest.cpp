// The built game with its real runtime and splash library: the splash is up
// before the first window, goes once that window is up, and the game's
// event loop, which served the splash on the same thread, goes on.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/windows/splash/JpegVariants.h"

namespace {

struct Search {
    DWORD process;
    const wchar_t* className;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK matchVisible(HWND hwnd, LPARAM data) {
    auto* search = static_cast<Search*>(reinterpret_cast<void*>(data));
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    wchar_t text[64] = {};
    if (search->className != nullptr) GetClassNameW(hwnd, text, 64);
    else GetWindowTextW(hwnd, text, 64);
    const bool wanted = std::wstring(text) == (search->className != nullptr ? search->className : search->title);
    if (process != search->process || !IsWindowVisible(hwnd) || !wanted) return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND visibleWindow(DWORD process, const wchar_t* className, const wchar_t* title) {
    Search search{process, className, title, nullptr};
    EnumWindows(matchVisible, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The game started in its own directory, ended when this goes.
class Game {
public:
    Game() {
        const std::string exe = splashtest::besideThisProgram(HANGMAN_RELATIVE);
        const std::string directory = exe.substr(0, exe.find_last_of("\\/"));
        std::string commandLine = "\"" + exe + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                       &startup, &info);
    }
    ~Game() {
        if (info.hProcess == nullptr) return;
        TerminateProcess(info.hProcess, 0);
        WaitForSingleObject(info.hProcess, 5000);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    bool running() const { return WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT; }
    HWND splash() const { return visibleWindow(info.dwProcessId, L"KovSplash", nullptr); }
    HWND wordSelection() const { return visibleWindow(info.dwProcessId, nullptr, L"Word Selection"); }

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
    wchar_t title[64] = {};
    GetWindowTextW(frame, title, 64);
    EXPECT_EQ(std::wstring(title), L"Word Selection");
}

}  // namespace
