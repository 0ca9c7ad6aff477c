#include "tests/windows/splash/HostProcess.h"

#include "tests/windows/splash/SplashHost.h"

namespace splashtest {

namespace {

struct WindowSearch {
    DWORD process;
    const std::function<bool(HWND)>& wanted;
    HWND found;
};

bool isFront(HWND hwnd) {
    wchar_t title[64] = {};
    GetWindowTextW(hwnd, title, 64);
    return std::wstring(title) == FrontTitle;
}

BOOL CALLBACK matchWindow(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process != search->process || !IsWindowVisible(hwnd) || !search->wanted(hwnd)) return TRUE;
    search->found = hwnd;
    return FALSE;
}

}  // namespace

HostProcess::HostProcess(const std::string& arguments) {
    SECURITY_ATTRIBUTES inherited{sizeof(inherited), nullptr, TRUE};
    HANDLE childInput = nullptr, childOutput = nullptr;
    CreatePipe(&childInput, &input_, &inherited, 0);
    CreatePipe(&output_, &childOutput, &inherited, 0);
    SetHandleInformation(input_, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(output_, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childInput;
    startup.hStdOutput = childOutput;
    startup.hStdError = childOutput;
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string commandLine = "\"" + std::string(self) + "\" --host " + arguments;
    CreateProcessA(self, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info_);
    CloseHandle(childInput);
    CloseHandle(childOutput);
}

HWND visibleWindowOf(DWORD process, const std::function<bool(HWND)>& wanted) {
    WindowSearch search{process, wanted, nullptr};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void endProcess(const PROCESS_INFORMATION& info) {
    if (info.hProcess == nullptr) return;
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, 5000);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
}

HostProcess::~HostProcess() {
    endProcess(info_);
    CloseHandle(input_);
    CloseHandle(output_);
}

bool HostProcess::waitForLine(const std::string& line, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        const std::size_t at = ("\n" + received_).find("\n" + line + "\n");
        if (at != std::string::npos) {
            received_.erase(0, at + line.size() + 1);
            return true;
        }
        DWORD available = 0;
        if (!PeekNamedPipe(output_, nullptr, 0, nullptr, &available, nullptr)) return false;
        if (available > 0) {
            std::string chunk(available, '\0');
            DWORD read = 0;
            ReadFile(output_, chunk.data(), available, &read, nullptr);
            received_.append(chunk, 0, read);
        } else if (GetTickCount() - start > timeoutMs) {
            return false;
        } else {
            Sleep(5);
        }
    }
}

void HostProcess::send(const std::string& command) {
    const std::string line = command + "\n";
    DWORD written = 0;
    WriteFile(input_, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

bool HostProcess::running() const {
    return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND HostProcess::splash() const { return visibleWindow(false); }

HWND HostProcess::front() const { return visibleWindow(true); }

HWND HostProcess::visibleWindow(bool front) const {
    return visibleWindowOf(info_.dwProcessId, [front](HWND hwnd) { return isFront(hwnd) == front; });
}

}  // namespace splashtest
