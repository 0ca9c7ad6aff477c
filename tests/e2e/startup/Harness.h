#pragma once

// Test layouts for the start-up tests: a temporary directory holding a copy
// of an executable, optionally the test runtime in rt/kovrt, and a record
// file the test libraries write to; programs run as real processes.

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/startup/Expectations.h"

namespace e2e {

namespace fs = std::filesystem;

struct Result {
    int status = -1;  // exit status, or -1 when killed by a signal
    std::string err;
    std::string out;
};

using Environment = std::map<std::string, std::string>;

// Runs argv[0] with exactly env as its environment (plus the sanitizers'
// settings, in a sanitizer build); kills it after 60 s.
Result runProgram(const std::vector<std::string>& argv, const Environment& env);

// A program running in the background in its own process group, with its
// standard error in a file; killed (with the whole group) when dropped.
class Background {
public:
    Background(const std::vector<std::string>& argv, const Environment& env, const fs::path& errFile);
    ~Background();
    Background(const Background&) = delete;
    Background& operator=(const Background&) = delete;

    int pid() const { return pid_; }
    bool running();
    // Waits up to seconds for the program to end; its exit status, or -1.
    int wait(int seconds);

private:
    int pid_ = -1;
    int status_ = -1;
    bool ended_ = false;
};

// A virtual X server (Xvfb, 1024 x 768) on a display number it picks itself;
// its log goes to dir. display() is empty when it did not start.
class XServer {
public:
    explicit XServer(const fs::path& dir);
    const std::string& display() const { return display_; }

private:
    std::unique_ptr<Background> server_;
    std::string display_;
};

// Polls condition every 100 ms for up to seconds.
bool eventually(int seconds, const std::function<bool()>& condition);

// The whole text of a file ("" when it cannot be read).
std::string fileText(const fs::path& path);

// Starts Xvfb (one 1024 x 768 x 24 screen, its log in dir) as server and
// returns its display name, or "" when it did not start.
std::string startXvfb(const fs::path& dir, std::unique_ptr<Background>& server);

// Copies a file, keeping its permissions, creating the target's directory.
void copyFile(const fs::path& from, const fs::path& to);
// The same, cut to its first size bytes.
void copyTruncated(const fs::path& from, const fs::path& to, std::size_t size);
void touch(const fs::path& file);

// Whole installations that markers planted in and below the directory cwd
// would lead to: cwd/kov640.home (whose root is cwd's parent) and
// cwd/rel/kov640.home (root cwd), each with the kernel library kernel as
// kernelName in its profile "2.8.0_07".
void plantInstallationsAt(const fs::path& cwd, const fs::path& kernel, const std::string& kernelName);

class Layout {
public:
    // A fresh directory with a copy of executable named "hangman"; with
    // runtime, the test runtime sits at rt/kovrt/ZKRN6407.so.
    explicit Layout(const std::string& executable = HANGMAN_EXE, bool runtime = true);
    virtual ~Layout();
    Layout(const Layout&) = delete;
    Layout& operator=(const Layout&) = delete;

    const fs::path& root() const { return root_; }
    const fs::path& exe() const { return exe_; }

    // Moves the executable (and nothing else) to another place in the layout.
    void moveExecutable(const fs::path& relative);
    // Runs cpbtool on the executable: args follow the file name. Fails the
    // test when cpbtool fails.
    void cpb(const std::vector<std::string>& args) const;
    // Runs the executable with PATH=/usr/bin:/bin, KOV_TEST_LOG and extra,
    // in directory cwd when one is given.
    virtual Result run(const Environment& extra = {}, const fs::path& cwd = {}) const;
    // Runs a command line with the same environment.
    Result runCommand(const std::vector<std::string>& argv, const Environment& extra = {}) const;
    // The lines the test libraries recorded (without line-end characters).
    std::vector<std::string> log() const;

    // What differs between the platforms, for the scenarios that both the
    // native suite and the one under wine64 run: a path in the layout as
    // the program names it,
    virtual std::string seen(const fs::path& relative) const;
    // a relative path with the platform's separators (as the block's
    // entries write it after *{comp.dir}),
    virtual std::string native(const fs::path& relative) const;
    std::string seenExe() const { return seen(exe_.lexically_relative(root_)); }
    // the file name of a library (its stem and the platform's suffix),
    virtual std::string library(const std::string& stem) const;
    // the environment that puts directories first on the stub's search list
    // for installation markers,
    virtual Environment searchList(const std::string& directories) const;
    // and a message of the stub as it shows on standard error.
    virtual std::string shown(const std::string& message) const;

protected:
    // A layout with a copy of executable named exeName and, when runtime is
    // not null, a copy of that library at runtimePlace.
    Layout(const std::string& executable, const fs::path& exeName, const char* runtime,
           const fs::path& runtimePlace);

private:
    Environment environment(const Environment& extra) const;

    fs::path root_;
    fs::path exe_;
};

// A message of the stub (tests/e2e/startup/Expectations.h) as it shows on
// standard error here.
std::string onStandardError(const std::string& message);
// The messages of the start-up failures, as shown on standard error.
std::string unableToLoad(const std::string& what, const fs::path& exe);
std::string installationMissing(const std::string& version);

}  // namespace e2e
