// The start-up scenarios that the native suite and the one under wine64
// both run: the same steps and checks on the platform's layouts, with its
// paths, library names and line ends.

#include <gtest/gtest.h>

#include <cctype>

#include "tests/e2e/startup/Scenarios.h"

namespace e2e {
namespace {

TEST(Startup, LoadsTheRuntimeFromTheMapAndRunsBothEntries) {
    const std::unique_ptr<Layout> layout = platformLayout();
    const Result r = layout->run();
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(layout->log(), expect::startedLines(runtimeSeen(*layout)));
}

TEST(Startup, LoaderRefusalEndsWithOneAndShowsNothing) {
    const std::unique_ptr<Layout> layout = platformLayout();
    const Result r = layout->run({{"KOV_TEST_RUNTIME", "refuse"}});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(layout->log(), (Lines{expect::loaderLine(runtimeSeen(*layout))}));
}

TEST(Startup, RuntimeThatLeavesItsSlotsEmptyIsReported) {
    const std::unique_ptr<Layout> layout = platformLayout();
    const Result r = layout->run({{"KOV_TEST_RUNTIME", "noslots"}});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, layout->shown(expect::SlotsNotSet));
}

TEST(Startup, MissingRuntimeNamesItsFullPath) {
    const std::unique_ptr<Layout> layout = platformLayout(HANGMAN_EXE, false);
    const Result r = layout->run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, layout->shown(expect::unableToLoad(runtimeSeen(*layout), layout->seenExe())));
    EXPECT_TRUE(layout->log().empty());
}

TEST(Startup, KernelWithoutLoaderEntry) {
    const std::unique_ptr<Layout> layout = platformLayout(HANGMAN_EXE, false);
    copyFile(EMPTY_KERNEL, layout->root() / "rt/kovrt" / layout->library("ZKRN6407"));
    const Result r = layout->run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, layout->shown(expect::NoLoaderEntry));
}

std::string inCase(std::string text, int (*change)(int)) {
    for (char& c : text) c = static_cast<char>(change(static_cast<unsigned char>(c)));
    return text;
}

// The kernel name is upper-cased before it is matched against the keys.
TEST(Startup, MapEntriesMatchTheUpperCaseKernelName) {
    const std::unique_ptr<Layout> lower = platformLayout();
    lower->cpb({"replace", "kernel-dll", inCase(lower->library("ZKRN6407"), std::tolower)});
    EXPECT_EQ(lower->run().status, 0);

    const std::unique_ptr<Layout> other = platformLayout();
    other->cpb({"replace", "kernel-dll", other->library("zkrnother")});
    const Result r = other->run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, other->shown(expect::unableToLoad(inCase(other->library("ZKRNOTHER"), std::toupper),
                                                       other->seenExe())));
}

// An entry walked before the kernel name never matches.
TEST(Startup, MapEntryBeforeTheKernelNameNeverMatches) {
    const std::unique_ptr<Layout> layout = platformLayout();
    const std::string key = inCase(layout->library("ZKRN6407"), std::toupper);
    layout->cpb({"remove", "dll-map"});
    layout->cpb({"add", "dll-map", key + "=*{comp.dir}" + layout->native("/rt/kovrt/" + layout->library("ZKRN6407")),
                 "--at", "0"});
    const Result r = layout->run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, layout->shown(expect::unableToLoad(key, layout->seenExe())));
}

// The later of two entries for the kernel gives the path.
TEST(Startup, LaterMapEntryForTheKernelWins) {
    const std::unique_ptr<Layout> layout = platformLayout();
    const std::string kernel = layout->library("ZKRN6407");
    const std::string key = inCase(kernel, std::toupper);
    layout->cpb({"add", "dll-map", key + "=*{comp.dir}" + layout->native("/other/" + kernel)});
    Result r = layout->run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, layout->shown(expect::unableToLoad(layout->seen("other/" + kernel), layout->seenExe())));

    layout->cpb({"replace", "@24", key + "=" + runtimeSeen(*layout)});
    r = layout->run();
    EXPECT_EQ(r.status, 0) << r.err;
}

TEST(Startup, WithoutKernelNameTheComponentMustExportTheLoader) {
    const std::unique_ptr<Layout> plain = platformLayout();
    plain->cpb({"remove", "kernel-dll"});
    const Result refused = plain->run();
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, plain->shown(expect::NoKernelName));
    EXPECT_TRUE(plain->log().empty());

    // The program itself exports KR_Loader.
    const std::unique_ptr<Layout> self = platformLayout(SELFLOADER_EXE, false);
    self->cpb({"remove", "kernel-dll"});
    const Result started = self->run();
    EXPECT_EQ(started.status, 0) << started.err;
    EXPECT_EQ(self->log(), expect::startedLines(self->seenExe()));
}

TEST_F(Installation, NoProfileName) {
    layout.cpb({"remove", "profile"});
    const Result r = layout.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, layout.shown(expect::NoProfileName));
}

TEST_F(Installation, NoMarkerAnywhere) {
    Result r = layout.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, layout.shown(expect::installationMissing(expect::InstalledVersion)));
    layout.cpb({"set-word", "3", "5"});
    r = layout.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, layout.shown(expect::installationMissing(expect::OtherMinorVersion)));
    // The marker's name follows the version: kov605.home.
    const fs::path root = install("kov", true, true);
    touch(root / "bin/kov605.home");
    EXPECT_EQ(runWithSearchList(layout.seen("kov/bin")).status, 0);
}

TEST_F(Installation, ProfileDirectoryMissing) {
    install("kov", false, false);
    const Result r = runWithSearchList(layout.seen("kov/bin"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, layout.shown(expect::profileMissing(layout.seenExe(), layout.seen("kov/profile2.8.0_07"))));
}

TEST_F(Installation, KernelMissingInTheProfile) {
    install("kov", true, false);
    const Result r = runWithSearchList(layout.seen("kov/bin"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, layout.shown(expect::profileDamaged(layout.seenExe(), layout.seen("kov/profile2.8.0_07"))));
}

// The directory on the search list, with or without a separator after it.
TEST_F(Installation, StartsFromTheProfile) {
    install("kov", true, true);
    const std::string kernel = layout.seen("kov/profile2.8.0_07/jre/kovrt/" + layout.library("ZKRN6407"));
    for (const std::string& bin : {layout.seen("kov/bin"), layout.seen("kov/bin/")}) {
        fs::remove(layout.root() / "log.txt");
        const Result r = runWithSearchList(bin);
        EXPECT_EQ(r.status, 0) << bin << ": " << r.err;
        EXPECT_EQ(layout.log(), expect::startedLines(kernel)) << bin;
    }
}

// The marker beside the executable wins over a whole installation on the
// search list: its root is the layout's root.
TEST_F(Installation, ExecutableDirectoryComesBeforePath) {
    install("onpath", true, true);
    touch(layout.exe().parent_path() / "kov640.home");
    const Result r = runWithSearchList(layout.seen("onpath/bin"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, layout.shown(expect::profileMissing(layout.seenExe(), layout.seen("profile2.8.0_07"))));
}

TEST_F(Splash, ShownFromTheRuntimeDirectoryBeforeTheRuntimeLoads) {
    splashLibrary(layout.root() / "rt/bin");
    const Result r = layout.run();
    EXPECT_EQ(r.status, 0) << r.err;
    const Lines log = layout.log();
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(log[0], expect::SplashInit);
    EXPECT_EQ(log[1], expect::SplashLoad);
    EXPECT_EQ(log[2], expect::loaderLine(runtimeSeen(layout)));
}

TEST_F(Splash, SwitchOffOrAbsentLoadsNothing) {
    splashLibrary(layout.root() / "rt/bin");
    layout.cpb({"replace", "splash-switch", "0"});
    EXPECT_EQ(layout.run().status, 0);
    EXPECT_TRUE(splashLines(layout).empty());
    EXPECT_EQ(layout.log().size(), 3u) << "only the runtime's lines";
    layout.cpb({"remove", "splash-switch"});
    EXPECT_EQ(layout.run().status, 0);
    EXPECT_TRUE(splashLines(layout).empty());
}

TEST_F(Splash, LibraryWithoutLoadMemoryGetsNoCallAtAll) {
    splashLibrary(layout.root() / "rt/bin", TEST_SPLASH_NOLOAD);
    EXPECT_EQ(layout.run().status, 0);
    EXPECT_TRUE(splashLines(layout).empty());
    EXPECT_EQ(layout.log().size(), 3u) << "not even SplashInitEx";
}

// A fatal message takes the splash off the screen first, so that it is
// never hidden behind it.
TEST_F(Splash, SplashIsClosedAtOnceBeforeTheMissingRuntimeIsReported) {
    splashLibrary(layout.root() / "rt/bin");
    fs::remove(layout.root() / "rt/kovrt" / layout.library("ZKRN6407"));
    const Result r = layout.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, layout.shown(expect::unableToLoad(runtimeSeen(layout), layout.seenExe())));
    EXPECT_EQ(layout.log(), (Lines{expect::SplashInit, expect::SplashLoad, expect::SplashCloseNow}));
}

}  // namespace
}  // namespace e2e
