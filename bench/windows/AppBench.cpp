// The word list at scale on the Win32 runtime (WordListBench.h), run under
// wine64. coreutils sort is not at hand there: the sort reference is
// std::sort of a copy of the same words in this process, in memory, without
// reading or writing a file (the copy is made before the clock starts).
//
//   WINEPREFIX=$PWD/build-win64/wine-prefix sh cmake/wine-gui-run.sh
//     build-win64/rt/kovrt/app_bench.exe [words|file [rounds]]

#include <windows.h>
#include <psapi.h>

#include <algorithm>

#include "bench/app/WordListBench.h"
#include "runtime/TestDriver.h"
#include "runtime/Toolkit.h"
#include "runtime/win32/Driver.h"
#include "runtime/win32/Win32Runtime.h"

namespace {

double residentMegabytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.WorkingSetSize) / (1 << 20);
}

double inMemorySort(const std::string&, const std::string&, const bench::Words& words) {
    bench::Words copy = words;
    return bench::seconds([&] { std::sort(copy.begin(), copy.end()); });
}

}  // namespace

int main(int argc, char** argv) {
    rt::bindToolkit(&rtwin::startToolkit());
    rt::bindTestDriver(rtwin::testDriver);
    const bench::WordListPlatform platform{[] {}, residentMegabytes,
                                           "std::sort in memory (no coreutils on Wine)", inMemorySort};
    return bench::runWordListBench(argc, argv, platform);
}
