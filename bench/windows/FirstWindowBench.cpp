// Start to first window: the time from creating the process until it shows
// a visible top-level window with the expected title, for hangman.exe
// ("Word Selection"), for a bare Win32 program that opens one window (the
// reference) and for the same "Word Selection" window written directly on
// Win32, interleaved in the same run. Each process is ended once its window
// shows, and the next starts only after Wine has finished tearing it down:
// a start that overlaps that work takes up to twice as long, whichever
// program it is.
//
// Usage: first_window_bench [runs]   (default 20 of each)

#include <windows.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr DWORD SettleMs = 250;

struct Search {
    DWORD process;
    const wchar_t* title;
    bool found;
};

BOOL CALLBACK matchWindow(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    wchar_t title[64] = {};
    GetWindowTextW(hwnd, title, 64);
    if (process == search->process && IsWindowVisible(hwnd) && std::wstring(title) == search->title) {
        search->found = true;
        return FALSE;
    }
    return TRUE;
}

std::wstring besideThisProgram(const std::wstring& relative) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    path.resize(path.find_last_of(L"\\/") + 1);
    return path + relative;
}

// Milliseconds until the program's window shows; exits on a failed start.
double firstWindowMs(const std::wstring& program, const wchar_t* title) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + program + L"\"";
    std::wstring directory = program.substr(0, program.find_last_of(L"\\/"));
    const auto start = std::chrono::steady_clock::now();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                        &startup, &info)) {
        std::fprintf(stderr, "cannot start %ls (error %lu)\n", program.c_str(), GetLastError());
        std::exit(2);
    }
    Search search{info.dwProcessId, title, false};
    while (!search.found) {
        if (WaitForSingleObject(info.hProcess, 1) == WAIT_OBJECT_0) {
            std::fprintf(stderr, "%ls ended before its window showed\n", program.c_str());
            std::exit(2);
        }
        EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    }
    const auto shown = std::chrono::steady_clock::now();
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, INFINITE);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    Sleep(SettleMs);
    return std::chrono::duration<double, std::milli>(shown - start).count();
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const std::string relative = HANGMAN_RELATIVE;
    struct Program {
        const char* label;
        std::wstring path;
        const wchar_t* title;
        std::vector<double> times;
    };
    std::array<Program, 3> programs{{
        {"bare Win32 window", besideThisProgram(L"bare_window.exe"), L"Bare Window", {}},
        {"same window on Win32", besideThisProgram(L"native_word_selection.exe"), L"Word Selection", {}},
        {"hangman.exe", besideThisProgram(std::wstring(relative.begin(), relative.end())), L"Word Selection", {}},
    }};
    // One start of each first, so that all find the system's files cached.
    for (Program& p : programs) firstWindowMs(p.path, p.title);
    for (int i = 0; i < runs; ++i) {
        for (Program& p : programs) p.times.push_back(firstWindowMs(p.path, p.title));
    }
    std::printf("start to first window, median of %d runs under the same conditions:\n", runs);
    for (const Program& p : programs) std::printf("  %-22s %8.1f ms\n", p.label, median(p.times));
    const double bare = median(programs[0].times), same = median(programs[1].times), hangman = median(programs[2].times);
    std::printf("  ratio to the bare window         %5.2f (goal: at most 1.30)\n", hangman / bare);
    std::printf("  same window's ratio to the bare  %5.2f\n", same / bare);
    return 0;
}
