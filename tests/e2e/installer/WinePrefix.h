#pragma once

// A Wine prefix of a test's own: a temporary directory with the prefix, a
// home directory and an Xvfb display for its windows, removed afterwards
// with every Wine process of the prefix. The desktop integration of Wine
// (menu entries in the home directory) is off, so that only the prefix
// changes.

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "tests/e2e/splash/XSession.h"

namespace e2e {

class WinePrefix {
public:
    // Creates the prefix (wineboot); check ok().
    WinePrefix();
    ~WinePrefix();
    WinePrefix(const WinePrefix&) = delete;
    WinePrefix& operator=(const WinePrefix&) = delete;

    bool ok() const { return booted_; }
    XSession& x() { return *x_; }
    fs::path driveC() const { return prefix_ / "drive_c"; }
    // Standard error of the last program run, for failure messages.
    std::string lastErrors() const;

    // Runs a Windows program in the directory cwd (a Unix path) and waits
    // up to seconds: its exit status, or -1 when it did not end.
    int run(const std::vector<std::string>& argv, const fs::path& cwd, int seconds);
    // Starts a Windows program in the directory cwd; it is killed when the
    // result is dropped.
    std::unique_ptr<Background> start(const std::vector<std::string>& argv, const fs::path& cwd);
    // Waits until every process of the prefix has ended and the registry
    // is written.
    void settle();

    // What the prefix holds: the paths under drive_c, and the registry's
    // keys (HKLM\... and HKCU\..., with single backslashes) with their
    // values.
    struct Snapshot {
        std::set<std::string> files;
        std::map<std::string, std::vector<std::string>> keys;
    };
    Snapshot snapshot() const;

private:
    std::vector<std::string> command(const std::vector<std::string>& argv, const fs::path& cwd) const;

    fs::path dir_, prefix_;
    std::unique_ptr<XSession> x_;
    Environment env_;
    bool booted_ = false;
};

}  // namespace e2e
