#pragma once

// A splash host process (SplashHost.h) started by a test, seen from outside:
// the lines it writes, the commands it reads, its windows. It is ended when
// this object goes, also when it hangs.

#include <windows.h>

#include <functional>
#include <string>

namespace splashtest {

// The first visible top-level window of the process for which wanted holds,
// or null.
HWND visibleWindowOf(DWORD process, const std::function<bool(HWND)>& wanted);
// Ends a started process, also when it hangs, and closes its handles.
void endProcess(const PROCESS_INFORMATION& info);

class HostProcess {
public:
    explicit HostProcess(const std::string& arguments);
    ~HostProcess();
    HostProcess(const HostProcess&) = delete;
    HostProcess& operator=(const HostProcess&) = delete;

    // Whether the host writes this line within the time.
    bool waitForLine(const std::string& line, DWORD timeoutMs);
    void send(const std::string& command);
    bool running() const;
    // The host's visible top-level window other than its front window (the
    // splash), or null.
    HWND splash() const;
    HWND front() const;

private:
    HWND visibleWindow(bool front) const;

    PROCESS_INFORMATION info_{};
    HANDLE input_ = nullptr;
    HANDLE output_ = nullptr;
    std::string received_;
};

}  // namespace splashtest
