#include "tests/e2e/wine/WineHarness.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace e2e::wine {

namespace {

int counter = 0;

std::string sessionFile(const std::string& name) {
    std::ifstream in(fs::path(WINE_SESSION) / name);
    std::string value;
    std::getline(in, value);
    return value;
}

}  // namespace

std::string windowsPath(const fs::path& path) {
    std::string text = "Z:" + fs::absolute(path).lexically_normal().string();
    for (char& c : text) {
        if (c == '/') c = '\\';
    }
    return text;
}

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
    return runProgram(command, env);
}

WineLayout::WineLayout(const std::string& executable, bool runtime) {
    root_ = fs::temp_directory_path() /
            ("kov-wine-" + std::to_string(getpid()) + "-" + std::to_string(++counter));
    fs::remove_all(root_);
    exe_ = root_ / "hangman.exe";
    copyFile(executable, exe_);
    if (runtime) copyFile(TEST_RUNTIME, root_ / "rt/kovrt/ZKRN6407.dll");
}

WineLayout::~WineLayout() { fs::remove_all(root_); }

void WineLayout::moveExecutable(const fs::path& relative) {
    const fs::path target = root_ / relative;
    fs::create_directories(target.parent_path());
    fs::rename(exe_, target);
    exe_ = target;
}

void WineLayout::cpb(const std::vector<std::string>& args) const {
    std::vector<std::string> argv{CPBTOOL, args.at(0), exe_.string()};
    argv.insert(argv.end(), args.begin() + 1, args.end());
    const Result r = runProgram(argv, {});
    ASSERT_EQ(r.status, 0) << "cpbtool " << args.at(0) << ": " << r.err;
}

Environment WineLayout::environment(const Environment& extra) const {
    Environment env = sessionEnvironment({{"KOV_TEST_LOG", win("log.txt")}});
    for (const auto& [k, v] : extra) env[k] = v;
    return env;
}

Result WineLayout::run(const Environment& extra, const fs::path& cwd) const {
    return runWindows({exe_.string()}, environment(extra), cwd.empty() ? root_ : cwd);
}

std::vector<std::string> WineLayout::log() const {
    std::ifstream in(root_ / "log.txt");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string unableToLoadMessage(const std::string& what, const std::string& exe) {
    return "Unable to load " + what + " (referenced from " + exe + ")\r\n\r\n";
}

std::string installationMissingMessage(const std::string& version) {
    return "Fatal error: Tarnwick KOV " + version +
           " installation cannot be found.\r\n\r\nHOW TO FIX:\r\n\r\n"
           "If you port compiled executables to other machines, please, use the Ferrolink\r\n"
           "deployment wizard (see KOV User's Guide, \"Deployment Automation\" for details).\r\n\r\n"
           "Otherwise, include the KOV/bin directory into PATH or reinstall KOV.\r\n\r\n";
}

std::string profileMissingMessage(const std::string& exe, const std::string& profile) {
    return "Fatal error: \"" + exe + "\" requires KOV profile \"2.8.0_07\" that cannot be found (\"" + profile +
           "\" does not exist).\r\n\r\nHOW TO FIX: run KOV Setup to create a new KOV profile and then recompile "
           "the application.\r\n\r\n";
}

std::string profileDamagedMessage(const std::string& exe, const std::string& profile) {
    return "Fatal error: \"" + exe + "\" requires an outdated or damaged KOV profile \"2.8.0_07\" (located at \"" +
           profile + "\").\r\n\r\nHOW TO FIX: run KOV Setup and repair KOV profile \"2.8.0_07\".\r\n\r\n";
}

}  // namespace e2e::wine
