// The start-up order, the loader call and the runtime lookup through the
// DLL map, run on copies of the built executable (the scenarios both
// platforms share are in SharedScenariosTest.cpp).

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "tests/e2e/startup/Harness.h"

namespace e2e {
namespace {

// The stub binds functions lazily (for the toolkit's libraries); a runtime
// linked like the real one still has its own imports bound on loading.
TEST(Startup, KernelWhoseLibraryLacksAnImportIsNotLoaded) {
    Layout layout(HANGMAN_EXE, false);
    const fs::path kernel = layout.root() / "rt/kovrt/ZKRN6407.so";
    copyFile(IMPORTING_RUNTIME, kernel);
    copyFile(IMPORTED_LIBRARY, layout.root() / "rt/kovrt/libkovimport.so");
    const Result complete = layout.run();
    EXPECT_EQ(complete.status, 1);
    EXPECT_EQ(complete.err, "") << "the loader ran and refused quietly";
    copyFile(IMPORTED_LACKING, layout.root() / "rt/kovrt/libkovimport.so");
    const Result lacking = layout.run();
    EXPECT_EQ(lacking.status, 1);
    EXPECT_EQ(lacking.err, unableToLoad(kernel.string(), layout.exe()));
}

// LD_PRELOAD for library. A shared AddressSanitizer runtime must be the
// first library of a process built with it, so in a sanitizer build it goes
// first.
std::string preloading(const fs::path& library) {
    Dl_info runtime{}, self{};
    void* init = dlsym(RTLD_DEFAULT, "__asan_init");
    if (init == nullptr || dladdr(init, &runtime) == 0 || runtime.dli_fname == nullptr ||
        dladdr(reinterpret_cast<void*>(&preloading), &self) == 0 || runtime.dli_fbase == self.dli_fbase) {
        return library.string();
    }
    return std::string(runtime.dli_fname) + ":" + library.string();
}

TEST(Startup, AlreadyLoadedKernelIsUsedWithoutAnyPath) {
    Layout layout(HANGMAN_EXE, false);
    const fs::path preloaded = layout.root() / "elsewhere/ZKRN6407.so";
    copyFile(TEST_RUNTIME, preloaded);
    // No map and no profile: only the shortcut can succeed.
    layout.cpb({"remove", "dll-map"});
    layout.cpb({"remove", "profile"});
    const Result r = layout.run({{"LD_PRELOAD", preloading(preloaded)}});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(layout.log(), expect::startedLines(preloaded.string()));
}

TEST(Startup, MapEntryWithoutPathLoadsNothing) {
    Layout layout;
    layout.cpb({"replace", "@15", "ZKRN6407.SO"});
    const Result r = layout.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, unableToLoad("", layout.exe()));
}

TEST(Startup, ExecutableInAPathLongerThanABufferIsFatal) {
    Layout layout;
    fs::path deep = "d";
    while ((layout.root() / deep).string().size() < 300) deep /= std::string(40, 'x');
    layout.moveExecutable(deep / "hangman");
    const Result r = layout.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, onStandardError(expect::pathTooLong(layout.exe().string())));
}

TEST(Startup, ExecutableNeedsNeitherQtNorTheRuntime) {
    const Result r = runProgram({"/usr/bin/readelf", "-d", HANGMAN_EXE}, {});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("(NEEDED)"), std::string::npos);
    EXPECT_EQ(r.out.find("Qt"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("ZKRN6407"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace e2e
