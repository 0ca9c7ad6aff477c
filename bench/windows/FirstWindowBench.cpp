// Start to first window: the time from creating the process until it shows
// a visible top-level window with the expected title, for hangman.exe
// ("Word Selection"), for a bare Win32 program that opens one window (the
// reference) and for the same "Word Selection" window written directly on
// Win32 (the reference of the goal), interleaved in the same run: each
// round starts with another program. hangman.exe runs as built (with its
// splash) and as hangman_nosplash.exe (its splash switch set to 0, beside
// it), which shows what the splash costs the first window. The same window
// written directly on Win32 runs a second time with a splash of the same
// size shown first (native_word_selection_splash.exe): what any program
// pays under Wine for a splash before its window, and the fair reference of
// hangman.exe with its splash. For both, the time until any window of them
// shows (the splash) is reported too.
//
// Each process is ended once its window shows, and the next starts only
// after Wine has finished tearing it down: a start that overlaps that work
// takes up to twice as long, whichever program it is. Every question about
// a window is a request to wineserver, which the measured program needs
// too: the titled window is looked for among the windows of the program's
// main thread only (where all three open it), and the process's windows
// are walked only until the first of them shows.
//
// Usage: first_window_bench [runs [program.exe ...]]   (default 21 of each)
// Further programs that open "Word Selection" (another build of the game,
// say) are measured in the same rounds, for comparisons in one run: their
// first window and their first window of any kind (a splash) against
// hangman.exe's.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/Quantiles.h"

namespace {

using Clock = std::chrono::steady_clock;
using bench::median;
using bench::quantile;

constexpr DWORD SettleMs = 250;

struct Search {
    DWORD process;
    const wchar_t* title;
    bool found;
};

// Any visible window of the process.
BOOL CALLBACK anyShownWindow(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    search->found = process == search->process && IsWindowVisible(hwnd);
    return search->found ? FALSE : TRUE;
}

// A visible window with the title.
BOOL CALLBACK titledWindow(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    if (!IsWindowVisible(hwnd)) return TRUE;
    wchar_t title[64] = {};
    GetWindowTextW(hwnd, title, 64);
    search->found = std::wstring(title) == search->title;
    return search->found ? FALSE : TRUE;
}

std::wstring besideThisProgram(const std::wstring& relative) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    path.resize(path.find_last_of(L"\\/") + 1);
    return path + relative;
}

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Start {
    double anyWindowMs;
    double titledWindowMs;
};

// Times until the program shows any window and its titled one; exits on a
// failed start.
Start firstWindow(const std::wstring& program, const wchar_t* title) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + program + L"\"";
    std::wstring directory = program.substr(0, program.find_last_of(L"\\/"));
    const auto start = Clock::now();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                        &startup, &info)) {
        std::fprintf(stderr, "cannot start %ls (error %lu)\n", program.c_str(), GetLastError());
        std::exit(2);
    }
    Search any{info.dwProcessId, nullptr, false}, titled{info.dwProcessId, title, false};
    Start times{0, 0};
    while (!titled.found) {
        if (WaitForSingleObject(info.hProcess, 1) == WAIT_OBJECT_0) {
            std::fprintf(stderr, "%ls ended before its window showed\n", program.c_str());
            std::exit(2);
        }
        if (!any.found) EnumWindows(anyShownWindow, reinterpret_cast<LPARAM>(&any));
        if (any.found && times.anyWindowMs == 0) times.anyWindowMs = msSince(start);
        EnumThreadWindows(info.dwThreadId, titledWindow, reinterpret_cast<LPARAM>(&titled));
    }
    times.titledWindowMs = msSince(start);
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, INFINITE);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    Sleep(SettleMs);
    return times;
}

void printTimes(const char* label, const std::vector<double>& times) {
    std::printf("  %-36s %7.1f ms  (quartiles %.1f-%.1f)\n", label, median(times), quantile(times, 0.25),
                quantile(times, 0.75));
}

void printRatio(const char* what, double ratio, const char* goal) { std::printf("  %-36s %7.2f%s\n", what, ratio, goal); }

struct Program {
    const char* label;
    std::wstring path;
    const wchar_t* title;
    std::vector<double> anyWindow;
    std::vector<double> titledWindow;
};

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    const std::string relative = HANGMAN_RELATIVE;
    const std::wstring hangman = besideThisProgram(std::wstring(relative.begin(), relative.end()));
    const std::wstring directory = hangman.substr(0, hangman.find_last_of(L"\\/") + 1);
    std::vector<Program> programs{
        {"bare Win32 window", besideThisProgram(L"bare_window.exe"), L"Bare Window", {}, {}},
        {"same window on Win32 (reference)", besideThisProgram(L"native_word_selection.exe"), L"Word Selection", {}, {}},
        {"hangman.exe", hangman, L"Word Selection", {}, {}},
        {"hangman.exe, splash off", directory + L"hangman_nosplash.exe", L"Word Selection", {}, {}},
        {"same window, splash first", besideThisProgram(L"native_word_selection_splash.exe"), L"Word Selection", {},
         {}},
    };
    const std::size_t references = programs.size();
    for (int i = 2; i < argc; ++i) {
        const std::string path = argv[i];
        programs.push_back({argv[i], std::wstring(path.begin(), path.end()), L"Word Selection", {}, {}});
    }
    // One start of each first, so that all find the system's files cached.
    for (Program& p : programs) firstWindow(p.path, p.title);
    const std::size_t n = programs.size();
    for (int i = 0; i < runs; ++i) {
        for (std::size_t k = 0; k < n; ++k) {
            Program& p = programs[(static_cast<std::size_t>(i) + k) % n];
            const Start times = firstWindow(p.path, p.title);
            p.anyWindow.push_back(times.anyWindowMs);
            p.titledWindow.push_back(times.titledWindowMs);
        }
    }
    const double bare = median(programs[0].titledWindow), same = median(programs[1].titledWindow);
    const double game = median(programs[2].titledWindow), splash = median(programs[2].anyWindow);
    const double off = median(programs[3].titledWindow);
    const double sameWithSplash = median(programs[4].titledWindow);
    std::printf("start to first window, %d runs of each, interleaved (medians):\n", runs);
    for (const Program& p : programs) printTimes(p.label, p.titledWindow);
    printTimes("hangman.exe's splash", programs[2].anyWindow);
    printTimes("same window's splash", programs[4].anyWindow);
    printRatio("hangman.exe / same window", game / same, "  (goal: at most 1.15)");
    printRatio("splash / same window's window", splash / same, "  (goal: below 1.0)");
    printRatio("splash off / same window", off / same, "");
    printRatio("hangman.exe / splash off", game / off, "  (what the splash costs)");
    printRatio("same window / bare window", same / bare, "");
    printRatio("hangman.exe / same, splash first", game / sameWithSplash, "  (both with a splash)");
    printRatio("same, splash first / same window", sameWithSplash / same, "  (what a splash costs it)");
    for (std::size_t i = references; i < n; ++i) {
        const Program& p = programs[i];
        printRatio(p.label, median(p.titledWindow) / game, "  (/ hangman.exe)");
        printRatio((std::string(p.label) + "'s splash").c_str(), median(p.anyWindow) / splash, "  (/ hangman.exe's)");
    }
    return 0;
}
