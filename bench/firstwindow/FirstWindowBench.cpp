// Start-up on an X server (a private Xvfb): the time from the process start
// to the map of the first "Word Selection" window of the game without its
// splash (its splash switch set to 0), of the game with its splash (and to
// the map of the splash itself), and of a bare Qt program that shows the
// same window content (the reference), interleaved in the same rounds. The
// game runs with the real runtime and splash library in temporary copies of
// the installed layout. Besides the wall-clock time, the CPU time the
// process had by the map is taken (its CPU clock, which counts every thread,
// also one that has ended): on a machine shared with other work it moves far
// less.
//
// Usage: first_window_bench [rounds [hangman ...]]   (default 21 rounds)
// Further builds of the game named on the command line (each with its own
// rt/kovrt/ZKRN6407.so beside it) run in the same rounds, so two builds are
// compared under the same load: with their splash when an
// rt/bin/splashscreen.so sits beside them too, else without.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/Quantiles.h"
#include "tests/e2e/splash/XSession.h"

namespace {

using namespace e2e;
using Clock = std::chrono::steady_clock;
using bench::median;
using bench::quantile;

constexpr const char* Title = "Word Selection";

struct Subject {
    std::string name;
    fs::path program;
    std::unique_ptr<Layout> layout;  // null for the reference
    std::vector<double> window;      // ms from the start to the window's map
    std::vector<double> cpu;         // CPU ms of the process by then
    std::vector<double> splash;      // ms to the splash's map, when it came first
    bool splashOn = false;           // started with its splash
};

double since(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

// The CPU time all threads of the process have had so far, in ms, those
// that have ended included.
double cpuMs(int pid) {
    clockid_t clock{};
    timespec time{};
    if (clock_getcpuclockid(pid, &clock) != 0 || clock_gettime(clock, &time) != 0) return -1;
    return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_nsec) / 1e6;
}

// Runs the subject until its window maps; the time is taken as the map
// event is read, before asking the server which window it was.
void runOnce(XSession& x, Subject& subject, const fs::path& home) {
    double splashAt = -1;
    double windowAt = -1;
    double cpuAt = -1;
    const auto start = Clock::now();
    Background run({subject.program.string()},
                   {{"PATH", "/usr/bin:/bin"}, {"HOME", home.string()}, {"XDG_RUNTIME_DIR", home.string()},
                    {"DISPLAY", x.display()}},
                   home / "stderr.txt");
    const xcb_window_t window = x.waitForMap(30, [&](xcb_window_t w) {
        const double at = since(start);
        // One question per window the game maps before its first: the
        // benchmark's own requests share the server with the game's start.
        if (splashAt < 0 && x.wmClass(w) == "Splashscreen") {
            splashAt = at;
            return false;
        }
        if (x.title(w) != Title) return false;
        windowAt = at;
        cpuAt = cpuMs(run.pid());
        return true;
    });
    if (window == 0) {
        std::fprintf(stderr, "%s: no \"%s\" window\n", subject.program.c_str(), Title);
        std::exit(2);
    }
    subject.window.push_back(windowAt);
    subject.cpu.push_back(cpuAt);
    if (splashAt >= 0) subject.splash.push_back(splashAt);
}

// The ratio of the medians, the median of the per-round ratios and their
// spread, for wall-clock and for CPU time.
void printRatio(const std::string& what, const Subject& a, const Subject& b, const char* goal) {
    for (const auto times : {&Subject::window, &Subject::cpu}) {
        const std::vector<double>& x = a.*times;
        const std::vector<double>& y = b.*times;
        std::vector<double> paired;
        for (std::size_t i = 0; i < x.size(); ++i) paired.push_back(x[i] / y[i]);
        std::printf("  %-40s %6.3f  (rounds: median %.3f, quartiles %.3f-%.3f)%s\n",
                    (what + (times == &Subject::cpu ? ", CPU" : "")).c_str(), median(x) / median(y), median(paired),
                    quantile(paired, 0.25), quantile(paired, 0.75), goal);
    }
}

// A copy of a build of the game with its runtime and a splash library;
// without one, its splash switch is 0.
std::unique_ptr<Layout> gameLayout(const fs::path& exe, const fs::path& runtime, const fs::path& splash) {
    auto layout = std::make_unique<Layout>(exe.string(), false);
    copyFile(runtime, layout->root() / "rt/kovrt/ZKRN6407.so");
    if (!splash.empty()) copyFile(splash, layout->root() / "rt/bin/splashscreen.so");
    else layout->cpb({"replace", "splash-switch", "0"});
    fs::permissions(layout->root(), fs::perms::owner_all, fs::perm_options::replace);
    return layout;
}

Subject game(const std::string& name, const fs::path& exe, const fs::path& runtime, const fs::path& splash) {
    Subject subject{name, {}, gameLayout(exe, runtime, splash), {}, {}, {}, !splash.empty()};
    subject.program = subject.layout->exe();
    return subject;
}

// The system's load averages over 1, 5 and 15 minutes, as the kernel
// reports them: wall-clock times gain from a thread on a second core only
// when that core is idle.
std::string loadAverages() {
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

void printTimes(const Subject& s) {
    std::printf("  %-40s %7.1f  (quartiles %.1f-%.1f)  CPU %6.1f  (quartiles %.1f-%.1f)\n", s.name.c_str(),
                median(s.window), quantile(s.window, 0.25), quantile(s.window, 0.75), median(s.cpu),
                quantile(s.cpu, 0.25), quantile(s.cpu, 0.75));
}

// When the splash mapped, and in how many rounds it did not come before
// the window.
void printSplash(const Subject& s, int rounds) {
    const std::string what = s.name + ": splash mapped";
    if (s.splash.empty()) {
        std::printf("  %-40s never before the window\n", what.c_str());
        return;
    }
    std::printf("  %-40s %7.1f  (quartiles %.1f-%.1f; goal: at most 20; not before the window in %zu rounds)\n",
                what.c_str(), median(s.splash), quantile(s.splash, 0.25), quantile(s.splash, 0.75),
                static_cast<std::size_t>(rounds) - s.splash.size());
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    std::vector<Subject> subjects;
    subjects.push_back(game("game, splash off", HANGMAN_EXE, REAL_RUNTIME, {}));
    subjects.push_back(game("game, with splash", HANGMAN_EXE, REAL_RUNTIME, SPLASH_LIBRARY));
    subjects.push_back({"bare Qt, same window (reference)", WORD_SELECTION, nullptr, {}, {}, {}, false});
    for (int i = 2; i < argc; ++i) {
        const fs::path exe = fs::absolute(argv[i]);
        const fs::path splash = exe.parent_path() / "rt/bin/splashscreen.so";
        const bool withSplash = fs::exists(splash);
        subjects.push_back(game(exe.string() + (withSplash ? ", with splash" : ", splash off"), exe,
                                exe.parent_path() / "rt/kovrt/ZKRN6407.so", withSplash ? splash : fs::path{}));
    }
    const fs::path home = subjects.front().layout->root();
    XSession x(home);
    if (!x.ok()) {
        std::fprintf(stderr, "Xvfb did not start\n");
        return 2;
    }
    const std::string loadBefore = loadAverages();
    const std::size_t n = subjects.size();
    for (int i = 0; i < rounds; ++i) {
        // Each round starts with another subject, so that none always
        // follows the same one.
        for (std::size_t k = 0; k < n; ++k) runOnce(x, subjects[(i + k) % n], home);
    }
    const Subject& off = subjects[0];
    const Subject& with = subjects[1];
    const Subject& reference = subjects[2];
    for (const Subject& s : subjects) {
        if (!s.splashOn && !s.splash.empty()) {
            std::fprintf(stderr, "%s: a splash with the switch at 0\n", s.name.c_str());
            return 2;
        }
    }
    std::printf("load average before %s, after %s\n", loadBefore.c_str(), loadAverages().c_str());
    std::printf("%d rounds, medians from the process start to the window's map (ms), wall-clock and CPU:\n",
                rounds);
    for (const Subject& s : subjects) printTimes(s);
    for (const Subject& s : subjects) {
        if (s.splashOn) printSplash(s, rounds);
    }
    std::printf("ratios (of medians):\n");
    printRatio("splash off / reference", off, reference, "  goal: at most 1.0");
    printRatio("with splash / splash off", with, off, "  goal: at most 1.05");
    for (std::size_t i = 3; i < n; ++i) {
        const Subject& base = subjects[i].splashOn ? with : off;
        printRatio(subjects[i].name + " / " + base.name, subjects[i], base, "");
    }
    return 0;
}
