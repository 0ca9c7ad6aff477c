#include "tests/e2e/wine/WineHarness.h"

#include <cstdlib>
#include <fstream>

#include "tests/e2e/startup/Scenarios.h"

namespace e2e::wine {

namespace {

std::string sessionFile(const std::string& name) {
    std::ifstream in(fs::path(WINE_SESSION) / name);
    std::string value;
    std::getline(in, value);
    return value;
}

std::string backslashed(const fs::path& path) {
    std::string text = path.string();
    for (char& c : text) {
        if (c == '/') c = '\\';
    }
    return text;
}

}  // namespace

std::string windowsPath(const fs::path& path) { return "Z:" + backslashed(fs::absolute(path).lexically_normal()); }

Environment sessionEnvironment(const Environment& extra) {
    const char* home = std::getenv("HOME");
    Environment env{{"PATH", "/usr/bin:/bin"},
                    {"HOME", home == nullptr ? "/tmp" : home},
                    {"WINEPREFIX", (fs::path(WINE_SESSION) / "prefix").string()},
                    {"WINEDEBUG", "-all"},
                    {"DISPLAY", ":" + sessionFile("display")}};
    for (const auto& [k, v] : extra) env[k] = v;
    return env;
}

Result runWindows(const std::vector<std::string>& argv, const Environment& env, const fs::path& cwd) {
    std::vector<std::string> command{"/bin/sh", "-c", "cd \"$1\" && shift && exec \"$@\"", "sh", cwd.string(),
                                     WINE64};
    command.insert(command.end(), argv.begin(), argv.end());
    // Faults of the Windows program end in exit codes; a run ended by a
    // signal is wine64 itself failing to start the process, which happens
    // now and then under load, and is repeated.
    Result result;
    for (int attempt = 0; attempt < 3 && result.status == -1; ++attempt) result = runProgram(command, env);
    return result;
}

WineLayout::WineLayout(const std::string& executable, bool runtime)
    : Layout(executable, "hangman.exe", runtime ? TEST_RUNTIME : nullptr, "rt/kovrt/ZKRN6407.dll") {}

std::string WineLayout::native(const fs::path& relative) const { return backslashed(relative); }

Environment WineLayout::wineEnvironment(const Environment& extra) const {
    Environment env = extra;
    env.insert({"KOV_TEST_LOG", seen("log.txt")});
    return sessionEnvironment(env);
}

Result WineLayout::run(const Environment& extra, const fs::path& cwd) const {
    return runWindows({exe().string()}, wineEnvironment(extra), cwd.empty() ? root() : cwd);
}

std::string onStandardError(const std::string& message) {
    return expect::onStandardError(expect::Platform::Windows, message);
}

std::string unableToLoad(const std::string& what, const std::string& exe) {
    return onStandardError(expect::unableToLoad(what, exe));
}

std::string installationMissing(const std::string& version) {
    return onStandardError(expect::installationMissing(version));
}

}  // namespace e2e::wine

namespace e2e {

std::unique_ptr<Layout> platformLayout(const std::string& executable, bool runtime) {
    return std::make_unique<wine::WineLayout>(executable, runtime);
}

}  // namespace e2e
