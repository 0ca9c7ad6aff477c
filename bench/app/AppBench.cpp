// The word list at scale on Qt's offscreen platform (WordListBench.h), with
// coreutils sort (LC_ALL=C) of the same file as the sort reference. Subject
// and reference alternate within each round, and the medians of the rounds
// are reported, so that a loaded machine skews both alike.
//
//   build/bench/app/app_bench [words|file [rounds]]     (default 1000000 5)

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "bench/app/WordListBench.h"
#include "runtime/TestDriver.h"
#include "runtime/Toolkit.h"
#include "runtime/qt/Driver.h"
#include "runtime/qt/QtRuntime.h"

namespace {

double residentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1 << 20);
}

double coreutilsSort(const std::string& dir, const std::string& source, const bench::Words&) {
    const std::string command = "LC_ALL=C sort " + source + " -o " + dir + "/sorted.txt";
    return bench::seconds([&] {
        if (std::system(command.c_str()) != 0) std::puts("sort failed");
    });
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    rt::bindToolkit(&rtqt::startToolkit(argc, argv));
    rt::bindTestDriver(rtqt::testDriver);
    const bench::WordListPlatform platform{[] { malloc_trim(0); }, residentMegabytes,
                                           "coreutils sort (LC_ALL=C)", coreutilsSort};
    return bench::runWordListBench(argc, argv, platform);
}
