// Whole-process time of the executable whose runtime returns at once (the
// test runtime in rt/kovrt), against an empty C program: what the stub's own
// work (two walks of the block, the lookup, the load) adds to a start.
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

    std::vector<double> stub, empty;
    for (int i = 0; i < 20; ++i) runOnceMs(program), runOnceMs(EMPTY_PROGRAM);
    for (int i = 0; i < runs; ++i) {
        stub.push_back(runOnceMs(program));
        empty.push_back(runOnceMs(EMPTY_PROGRAM));
    }
    fs::remove_all(root);

    const Summary s = summarise(stub), e = summarise(empty);
    std::printf("runs: %d each\n", runs);
    std::printf("%-22s mean %7.3f ms  median %7.3f ms  p90 %7.3f ms\n", "hangman (test runtime)", s.mean,
                s.median, s.p90);
    std::printf("%-22s mean %7.3f ms  median %7.3f ms  p90 %7.3f ms\n", "empty C program", e.mean, e.median,
                e.p90);
    std::printf("difference: mean %.3f ms, median %.3f ms (goal: under 5 ms)\n", s.mean - e.mean,
                s.median - e.median);
    return 0;
}
