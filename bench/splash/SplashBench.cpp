// Start-up on an X server (a private Xvfb) with and without the splash:
// from the process start to the map of the splash window and to the map of
// the first "Word Selection" window, against a bare Qt program that opens
// one window, measured in the same run. The program runs with the real
// runtime and splash library in a temporary copy of the installed layout;
// "without" is the same executable with its splash switch set to 0.
//
// Usage: splash_bench [rounds]   (default 15; each round runs all three)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/splash/XSession.h"

namespace {

using namespace e2e;
using Clock = std::chrono::steady_clock;

struct Times {
    double splash = -1;  // ms from the start to the splash's map; -1 when none
    double window = -1;  // ms from the start to the first window's map
};

double since(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

Times runOnce(XSession& x, const fs::path& program, const std::string& title, const fs::path& home) {
    Times times;
    const auto start = Clock::now();
    Background run({program.string()},
                   {{"PATH", "/usr/bin:/bin"}, {"HOME", home.string()}, {"XDG_RUNTIME_DIR", home.string()},
                    {"DISPLAY", x.display()}},
                   home / "stderr.txt");
    // The time is taken as the map event is read, before asking the server
    // which window it was.
    const xcb_window_t window = x.waitForMap(30, [&](xcb_window_t w) {
        const double at = since(start);
        if (times.splash < 0 && x.wmClass(w) == "Splashscreen") times.splash = at;
        if (x.title(w) != title) return false;
        times.window = at;
        return true;
    });
    if (window == 0) {
        std::fprintf(stderr, "%s: no \"%s\" window\n", program.c_str(), title.c_str());
        std::exit(2);
    }
    return times;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// A copy of the program with the real runtime and splash library.
void prepare(Layout& layout) {
    copyFile(REAL_RUNTIME, layout.root() / "rt/kovrt/ZKRN6407.so");
    copyFile(SPLASH_LIBRARY, layout.root() / "rt/bin/splashscreen.so");
    fs::permissions(layout.root(), fs::perms::owner_all, fs::perm_options::replace);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    Layout with(HANGMAN_EXE, false), without(HANGMAN_EXE, false);
    prepare(with);
    prepare(without);
    without.cpb({"replace", "splash-switch", "0"});
    XSession x(with.root());
    if (!x.ok()) {
        std::fprintf(stderr, "Xvfb did not start\n");
        return 2;
    }
    std::vector<double> splashMap, withSplash, withoutSplash, bareQt, paired;
    int splashMissed = 0;
    for (int i = 0; i < rounds; ++i) {
        // Each round starts with another of the three, so that none always
        // follows the same one.
        Times a, b, c;
        for (int k = 0; k < 3; ++k) {
            switch ((i + k) % 3) {
                case 0: a = runOnce(x, with.exe(), "Word Selection", with.root()); break;
                case 1: b = runOnce(x, without.exe(), "Word Selection", without.root()); break;
                default: c = runOnce(x, ONE_WINDOW, "Reference", without.root()); break;
            }
        }
        if (b.splash >= 0) {
            std::fprintf(stderr, "round %d: a splash with the switch at 0\n", i);
            return 2;
        }
        // A splash that comes after the first window is not shown at all.
        if (a.splash < 0) ++splashMissed;
        else splashMap.push_back(a.splash);
        withSplash.push_back(a.window);
        withoutSplash.push_back(b.window);
        paired.push_back(a.window / b.window);
        bareQt.push_back(c.window);
    }
    const double ratio = median(withSplash) / median(withoutSplash);
    std::printf("%d rounds, medians from process start (ms):\n", rounds);
    if (!splashMap.empty()) {
        std::printf("  splash window mapped              %8.1f  (goal: at most 50)\n", median(splashMap));
    }
    std::printf("  rounds without a splash before the first window: %d\n", splashMissed);
    std::printf("  first window, with splash         %8.1f\n", median(withSplash));
    std::printf("  first window, without splash      %8.1f\n", median(withoutSplash));
    std::printf("  bare Qt program, its one window   %8.1f  (reference)\n", median(bareQt));
    std::printf("  with / without splash             %8.3f  (goal: at most 1.05)\n", ratio);
    std::printf("  with / without, median of rounds  %8.3f  (the two runs of a round side by side)\n",
                median(paired));
    std::printf("  without splash / bare Qt          %8.3f\n", median(withoutSplash) / median(bareQt));
    return 0;
}
