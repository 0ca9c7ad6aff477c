#pragma once

// The word list at scale, through the real word-selection window: import,
// both sorts, export, adding and removing one word (each until the list is
// drawn again), and the resident memory of a loaded list, next to references
// measured in the same run. Each platform's main starts its runtime, binds
// it and supplies what differs between platforms: the memory figure and the
// sort reference.

#include <functional>
#include <string>
#include <vector>

#include "runtime/Text.h"

namespace bench {

using Words = std::vector<rt::String>;

struct WordListPlatform {
    // Gives memory the allocator holds free back to the system, so that the
    // empty program's figure is what it needs.
    std::function<void()> releaseFreeMemory;
    // Resident memory of this process in MB.
    std::function<double()> residentMegabytes;
    // What the alphabetical sort is compared with, as printed.
    std::string sortReferenceName;
    // Seconds the sort reference takes for the words, read from source
    // (one word per line); dir is a temporary folder it may write in.
    std::function<double(const std::string& dir, const std::string& source, const Words& words)> sortReference;
};

// Runs the benchmark with the arguments [words [rounds]] (default 1000000
// 5) and prints every figure; returns main's exit code. words is a number
// of random words, or the path of a word list file (one word per line) to
// use instead.
int runWordListBench(int argc, char** argv, const WordListPlatform& platform);

// Seconds that work takes.
double seconds(const std::function<void()>& work);

}  // namespace bench
