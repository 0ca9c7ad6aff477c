// Start to first window: the time from creating the process until it shows
// a visible top-level window with the expected title, for hangman.exe
// ("Word Selection") and for a bare Win32 program that opens one window,
// interleaved in the same run. Each process is ended once its window shows.
//
// Usage: first_window_bench [runs]   (default 20 of each)

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

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
    return std::chrono::duration<double, std::milli>(shown - start).count();
}

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const std::wstring bare = besideThisProgram(L"bare_window.exe");
    std::string relative = HANGMAN_RELATIVE;
    const std::wstring hangman = besideThisProgram(std::wstring(relative.begin(), relative.end()));
    // One start of each first, so that both find the system's files cached.
    firstWindowMs(bare, L"Bare Window");
    firstWindowMs(hangman, L"Word Selection");
    std::vector<double> bareTimes, hangmanTimes;
    for (int i = 0; i < runs; ++i) {
        bareTimes.push_back(firstWindowMs(bare, L"Bare Window"));
        hangmanTimes.push_back(firstWindowMs(hangman, L"Word Selection"));
    }
    const double b = median(bareTimes), h = median(hangmanTimes);
    std::printf("start to first window, median of %d runs under the same conditions:\n", runs);
    std::printf("  bare Win32 window  %8.1f ms\n", b);
    std::printf("  hangman.exe        %8.1f ms\n", h);
    std::printf("  ratio              %8.2f (goal: at most 1.30)\n", h / b);
    return 0;
}
