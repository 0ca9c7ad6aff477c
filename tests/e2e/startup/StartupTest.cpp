// The start-up order, the loader call and the runtime lookup through the
// DLL map, run on copies of the built executable.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "tests/e2e/startup/Harness.h"

namespace e2e {
namespace {

using Lines = std::vector<std::string>;

std::string loaderLine(const fs::path& library) { return expect::loaderLine(library.string()); }

TEST(Startup, LoadsTheRuntimeFromTheMapAndRunsBothEntries) {
    Layout layout;
    const Result r = layout.run();
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(layout.log(), expect::startedLines((layout.root() / "rt/kovrt/ZKRN6407.so").string()));
}

TEST(Startup, LoaderRefusalEndsWithOneAndShowsNothing) {
    Layout layout;
    const Result r = layout.run({{"KOV_TEST_RUNTIME", "refuse"}});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(layout.log(), (Lines{loaderLine(layout.root() / "rt/kovrt/ZKRN6407.so")}));
}

TEST(Startup, RuntimeThatLeavesItsSlotsEmptyIsReported) {
    Layout layout;
    const Result r = layout.run({{"KOV_TEST_RUNTIME", "noslots"}});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, onStandardError(expect::SlotsNotSet));
}

TEST(Startup, MissingRuntimeNamesItsFullPath) {
    Layout layout(HANGMAN_EXE, false);
    const Result r = layout.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, unableToLoad((layout.root() / "rt/kovrt/ZKRN6407.so").string(), layout.exe()));
    EXPECT_TRUE(layout.log().empty());
}

TEST(Startup, KernelWithoutLoaderEntry) {
    Layout layout(HANGMAN_EXE, false);
    copyFile(EMPTY_KERNEL, layout.root() / "rt/kovrt/ZKRN6407.so");
    const Result r = layout.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, onStandardError(expect::NoLoaderEntry));
}

TEST(Startup, WithoutKernelNameTheComponentMustExportTheLoader) {
    Layout plain;
    plain.cpb({"remove", "kernel-dll"});
    const Result refused = plain.run();
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, onStandardError(expect::NoKernelName));
    EXPECT_TRUE(plain.log().empty());

    Layout self(SELFLOADER_EXE, false);
    self.cpb({"remove", "kernel-dll"});
    const Result started = self.run();
    EXPECT_EQ(started.status, 0) << started.err;
    EXPECT_EQ(self.log(), expect::startedLines(self.exe().string()));
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

TEST(Startup, MapEntriesMatchTheUpperCaseKernelName) {
    Layout lower;
    lower.cpb({"replace", "kernel-dll", "zkrn6407.so"});
    EXPECT_EQ(lower.run().status, 0);

    Layout other;
    other.cpb({"replace", "kernel-dll", "zkrnother.so"});
    const Result r = other.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, unableToLoad("ZKRNOTHER.SO", other.exe()));
}

TEST(Startup, MapEntryBeforeTheKernelNameNeverMatches) {
    Layout layout;
    layout.cpb({"remove", "dll-map"});
    layout.cpb({"add", "dll-map", "ZKRN6407.SO=*{comp.dir}/rt/kovrt/ZKRN6407.so", "--at", "0"});
    const Result r = layout.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, unableToLoad("ZKRN6407.SO", layout.exe()));
}

TEST(Startup, LaterMapEntryForTheKernelWins) {
    Layout layout;
    layout.cpb({"add", "dll-map", "ZKRN6407.SO=*{comp.dir}/other/ZKRN6407.so"});
    Result r = layout.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, unableToLoad((layout.root() / "other/ZKRN6407.so").string(), layout.exe()));

    layout.cpb({"replace", "@24", "ZKRN6407.SO=" + (layout.root() / "rt/kovrt/ZKRN6407.so").string()});
    r = layout.run();
    EXPECT_EQ(r.status, 0) << r.err;
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
