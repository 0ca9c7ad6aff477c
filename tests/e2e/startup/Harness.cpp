#include "tests/e2e/startup/Harness.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace e2e {

namespace {

void readInto(int& fd, std::string& text) {
    char buffer[4096];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0) {
        text.append(buffer, static_cast<std::size_t>(n));
    } else {
        close(fd);
        fd = -1;
    }
}

// In a sanitizer build the settings of the sanitizers (suppressions, what
// to check) reach the programs the tests start; they change nothing else.
Environment withSanitizerSettings(Environment env) {
    for (const char* name : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"}) {
        const char* value = std::getenv(name);
        if (value != nullptr) env.emplace(name, value);
    }
    return env;
}

[[noreturn]] void execChild(const std::vector<std::string>& argv, const Environment& env, int out, int err) {
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    std::vector<std::string> pairs;
    for (const auto& [k, v] : withSanitizerSettings(env)) pairs.push_back(k + "=" + v);
    std::vector<char*> args, envp;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    for (auto& p : pairs) envp.push_back(p.data());
    args.push_back(nullptr);
    envp.push_back(nullptr);
    execve(args[0], args.data(), envp.data());
    _exit(127);
}

int counter = 0;

}  // namespace

Result runProgram(const std::vector<std::string>& argv, const Environment& env) {
    int out[2], err[2];
    if (pipe(out) != 0 || pipe(err) != 0) throw std::runtime_error("pipe failed");
    const pid_t child = fork();
    if (child == 0) execChild(argv, env, out[1], err[1]);
    close(out[1]);
    close(err[1]);
    Result result;
    int fds[2] = {out[0], err[0]};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while ((fds[0] >= 0 || fds[1] >= 0) && std::chrono::steady_clock::now() < deadline) {
        pollfd p[2] = {{fds[0], POLLIN, 0}, {fds[1], POLLIN, 0}};
        if (poll(p, 2, 1000) <= 0) continue;
        if (p[0].revents != 0) readInto(fds[0], result.out);
        if (p[1].revents != 0) readInto(fds[1], result.err);
    }
    if (fds[0] >= 0 || fds[1] >= 0) kill(child, SIGKILL);
    for (int fd : fds) {
        if (fd >= 0) close(fd);
    }
    int status = 0;
    waitpid(child, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

Background::Background(const std::vector<std::string>& argv, const Environment& env, const fs::path& errFile) {
    const int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int out = open("/dev/null", O_WRONLY | O_CLOEXEC);
    pid_ = fork();
    if (pid_ == 0) {
        setpgid(0, 0);
        execChild(argv, env, out, err);
    }
    close(err);
    close(out);
}

Background::~Background() {
    if (running()) {
        kill(-pid_, SIGKILL);
        wait(10);
    }
}

bool Background::running() {
    if (ended_) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) != pid_) return true;
    ended_ = true;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return false;
}

int Background::wait(int seconds) {
    eventually(seconds, [this] { return !running(); });
    return status_;
}

XServer::XServer(const fs::path& dir) : display_(startXvfb(dir, server_)) {}

bool eventually(int seconds, const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        usleep(100 * 1000);
    }
    return true;
}

std::string fileText(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string startXvfb(const fs::path& dir, std::unique_ptr<Background>& server) {
    int fds[2];
    if (pipe(fds) != 0) return {};
    server = std::make_unique<Background>(
        std::vector<std::string>{"/usr/bin/Xvfb", "-displayfd", std::to_string(fds[1]), "-nolisten", "tcp", "-screen",
                                 "0", "1024x768x24"},
        Environment{{"PATH", "/usr/bin:/bin"}}, dir / "xvfb.txt");
    close(fds[1]);
    std::string number;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    return number.empty() ? std::string() : ":" + number;
}

void copyFile(const fs::path& from, const fs::path& to) {
    fs::create_directories(to.parent_path());
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

void copyTruncated(const fs::path& from, const fs::path& to, std::size_t size) {
    copyFile(from, to);
    fs::resize_file(to, size);
}

void plantInstallationsAt(const fs::path& cwd, const fs::path& kernel, const std::string& kernelName) {
    for (const fs::path& bin : {cwd, cwd / "rel"}) {
        touch(bin / "kov640.home");
        copyFile(kernel, bin.parent_path() / "profile2.8.0_07/jre/kovrt" / kernelName);
    }
}

void touch(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "";
}

Layout::Layout(const std::string& executable, bool runtime)
    : Layout(executable, "hangman", runtime ? TEST_RUNTIME : nullptr, "rt/kovrt/ZKRN6407.so") {}

Layout::Layout(const std::string& executable, const fs::path& exeName, const char* runtime,
               const fs::path& runtimePlace) {
    root_ = fs::temp_directory_path() /
            ("kov-e2e-" + std::to_string(getpid()) + "-" + std::to_string(++counter));
    fs::remove_all(root_);
    exe_ = root_ / exeName;
    copyFile(executable, exe_);
    if (runtime != nullptr) copyFile(runtime, root_ / runtimePlace);
}

Layout::~Layout() { fs::remove_all(root_); }

void Layout::moveExecutable(const fs::path& relative) {
    const fs::path target = root_ / relative;
    fs::create_directories(target.parent_path());
    fs::rename(exe_, target);
    exe_ = target;
}

void Layout::cpb(const std::vector<std::string>& args) const {
    std::vector<std::string> argv{CPBTOOL, args.at(0), exe_.string()};
    argv.insert(argv.end(), args.begin() + 1, args.end());
    const Result r = runProgram(argv, {});
    ASSERT_EQ(r.status, 0) << "cpbtool " << args.at(0) << ": " << r.err;
}

Environment Layout::environment(const Environment& extra) const {
    Environment env{{"PATH", "/usr/bin:/bin"}, {"KOV_TEST_LOG", (root_ / "log.txt").string()}};
    for (const auto& [k, v] : extra) env[k] = v;
    return env;
}

Result Layout::run(const Environment& extra, const fs::path& cwd) const {
    if (cwd.empty()) return runProgram({exe_.string()}, environment(extra));
    return runCommand({"/bin/sh", "-c", "cd \"$1\" && exec \"$2\"", "sh", cwd.string(), exe_.string()}, extra);
}

Result Layout::runCommand(const std::vector<std::string>& argv, const Environment& extra) const {
    return runProgram(argv, environment(extra));
}

std::vector<std::string> Layout::log() const {
    std::ifstream in(root_ / "log.txt");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string Layout::seen(const fs::path& relative) const { return (root_ / relative).string(); }

std::string Layout::native(const fs::path& relative) const { return relative.string(); }

std::string Layout::library(const std::string& stem) const { return stem + ".so"; }

Environment Layout::searchList(const std::string& directories) const {
    return {{"PATH", directories + ":/usr/bin:/bin"}};
}

std::string Layout::shown(const std::string& message) const { return onStandardError(message); }

std::string onStandardError(const std::string& message) {
    return expect::onStandardError(expect::Platform::Linux, message);
}

std::string unableToLoad(const std::string& what, const fs::path& exe) {
    return onStandardError(expect::unableToLoad(what, exe.string()));
}

std::string installationMissing(const std::string& version) {
    return onStandardError(expect::installationMissing(version));
}

}  // namespace e2e
