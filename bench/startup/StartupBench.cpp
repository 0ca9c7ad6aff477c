// Whole-process time of the executable whose runtime returns at once (the
// test runtime in rt/kovrt), against an empty C program: what the stub's own
// work (two walks of the block, the lookup, the load) adds to a start. An
// empty C++ program shows how much of that is the C++ runtime library.
//
// Usage: startup_bench [runs]   (default 400 runs of each, interleaved)

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

double runOnceMs(const std::string& program) {
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, environ) != 0) {
        std::perror("posix_spawn");
        std::exit(2);
    }
    int status = 0;
    waitpid(child, &status, 0);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not exit with 0\n", program.c_str());
        std::exit(2);
    }
    return std::chrono::duration<double, std::milli>(end - start).count();
}

struct Summary {
    double mean, median, p90;
};

Summary summarise(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    const double mean = std::accumulate(times.begin(), times.end(), 0.0) / static_cast<double>(times.size());
    return Summary{mean, times[times.size() / 2], times[times.size() * 9 / 10]};
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 400;
    const fs::path root = fs::temp_directory_path() / ("kov-bench-" + std::to_string(getpid()));
    fs::create_directories(root / "rt/kovrt");
    fs::copy_file(HANGMAN_EXE, root / "hangman");
    fs::copy_file(TEST_RUNTIME, root / "rt/kovrt/ZKRN6407.so");
    const std::string program = (root / "hangman").string();
    unsetenv("KOV_TEST_LOG");
    unsetenv("KOV_TEST_RUNTIME");

    const std::string programs[] = {program, EMPTY_PROGRAM, EMPTY_CXX_PROGRAM};
    const char* names[] = {"hangman (test runtime)", "empty C program", "empty C++ program"};
    std::vector<double> times[3];
    for (int i = 0; i < 20; ++i) {
        for (const auto& p : programs) runOnceMs(p);
    }
    for (int i = 0; i < runs; ++i) {
        for (int k = 0; k < 3; ++k) times[k].push_back(runOnceMs(programs[k]));
    }
    fs::remove_all(root);

    Summary s[3];
    std::printf("runs: %d each, interleaved\n", runs);
    for (int k = 0; k < 3; ++k) {
        s[k] = summarise(times[k]);
        std::printf("%-22s mean %7.3f ms  median %7.3f ms  p90 %7.3f ms\n", names[k], s[k].mean, s[k].median,
                    s[k].p90);
    }
    std::printf("difference to the empty C program: mean %.3f ms, median %.3f ms (goal: under 5 ms)\n",
                s[0].mean - s[1].mean, s[0].median - s[1].median);
    std::printf("of which the C++ runtime library: median %.3f ms\n", s[2].median - s[1].median);
    return 0;
}
