#pragma once

// Test layouts for the Windows start-up under wine64: a temporary directory
// holding a copy of a Windows executable as hangman.exe, optionally the test
// runtime at rt\kovrt\ZKRN6407.dll, and the record file of the test
// libraries. Every program runs in the Wine session the suite shares (its
// prefix, wineserver and display; see wine-session.sh).

#include <string>
#include <vector>

#include "tests/e2e/startup/Harness.h"

namespace e2e::wine {

// The path as Windows programs under Wine see it (drive Z: is the root).
std::string windowsPath(const fs::path& path);

// The environment of a Windows program in the session, with extra added.
Environment sessionEnvironment(const Environment& extra = {});

// Runs a Windows program (and arguments) under wine64 in directory cwd; a
// run that wine64 itself fails (ended by a signal) is made up to 3 times.
Result runWindows(const std::vector<std::string>& argv, const Environment& env, const fs::path& cwd);

// A message of the stub (tests/e2e/startup/Expectations.h) as the Windows
// stub writes it on standard error: the text, then CR LF.
std::string onStandardError(const std::string& message);
// The messages of the start-up failures, as shown on standard error.
std::string unableToLoad(const std::string& what, const std::string& exe);
std::string installationMissing(const std::string& version);

// A layout as the start-up tests use it (tests/e2e/startup/Harness.h),
// with Windows file names, whose programs run under wine64.
class WineLayout : public Layout {
public:
    explicit WineLayout(const std::string& executable = HANGMAN_EXE, bool runtime = true);

    // The session's environment with KOV_TEST_LOG and extra.
    Environment wineEnvironment(const Environment& extra) const;
    // Runs the executable under wine64 in cwd (the layout's root when
    // empty).
    Result run(const Environment& extra = {}, const fs::path& cwd = {}) const override;

    // Paths as Windows programs see them, DLL names, PATH given to Wine
    // through WINEPATH, messages with CR LF.
    std::string seen(const fs::path& relative) const override { return windowsPath(root() / relative); }
    std::string native(const fs::path& relative) const override;
    std::string library(const std::string& stem) const override { return stem + ".dll"; }
    Environment searchList(const std::string& directories) const override { return {{"WINEPATH", directories}}; }
    std::string shown(const std::string& message) const override { return onStandardError(message); }
};

}  // namespace e2e::wine
