// The splash step as only the native start-up takes it: where the splash
// library is looked for, what it is handed, and that every failure in it is
// quiet (the scenarios both platforms share are in SharedScenariosTest.cpp).

#include <gtest/gtest.h>

#include "tests/e2e/startup/Scenarios.h"

namespace e2e {
namespace {

const char* const Init = expect::SplashInit;
const char* const Load = expect::SplashLoad;

TEST_F(Splash, FlagsArePassedAsZeroOrOne) {
    splashLibrary(layout.root() / "rt/bin");
    layout.cpb({"replace", "splash-flag1", "7"});
    layout.cpb({"add", "splash-flag2", "5"});
    layout.cpb({"replace", "splash-data", "42"});
    layout.run();
    EXPECT_EQ(splashLines(layout), (Lines{"splash-init 3 1 1 data=42", Load}));
}

TEST_F(Splash, WithoutBinDirectoryTheLibraryIsLoadedByBareName) {
    const fs::path elsewhere = layout.root() / "libs";
    splashLibrary(elsewhere);
    // rt exists (the runtime is there) but rt/bin does not.
    EXPECT_EQ(layout.run().status, 0);
    EXPECT_TRUE(splashLines(layout).empty());
    const Result r = layout.run({{"LD_LIBRARY_PATH", elsewhere.string()}});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(splashLines(layout), (Lines{Init, Load}));
}

TEST_F(Splash, RuntimeDirectoryMacroSkipsWhateverSeparatorFollows) {
    splashLibrary(layout.root() / "rt/bin");
    layout.cpb({"replace", "runtime-dir", "*{comp.dir}\\rt"});
    EXPECT_EQ(layout.run().status, 0);
    EXPECT_EQ(splashLines(layout), (Lines{Init, Load}));
}

TEST_F(Splash, AbsoluteRuntimeDirectoryIsUsedAsItIs) {
    splashLibrary(layout.root() / "custom/bin");
    layout.cpb({"replace", "runtime-dir", (layout.root() / "custom").string()});
    EXPECT_EQ(layout.run().status, 0);
    EXPECT_EQ(splashLines(layout), (Lines{Init, Load}));
}

TEST_F(Splash, WithoutRuntimeDirectoryTheInstalledProfileIsUsed) {
    layout.cpb({"remove", "runtime-dir"});
    const fs::path root = layout.root() / "kov";
    touch(root / "bin/kov640.home");
    splashLibrary(root / "profile2.8.0_07/jre/bin");
    const Result r = layout.run({{"PATH", (root / "bin").string() + ":/usr/bin:/bin"}});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(splashLines(layout), (Lines{Init, Load}));
}

TEST_F(Splash, NoRuntimeDirectoryAndNoInstallationIsQuiet) {
    layout.cpb({"remove", "runtime-dir"});
    const fs::path elsewhere = layout.root() / "libs";
    splashLibrary(elsewhere);
    const Result r = layout.run({{"LD_LIBRARY_PATH", elsewhere.string()}});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(splashLines(layout), (Lines{Init, Load}));
}

// A splash library cut short is not loaded (mapped, it killed the process
// with SIGBUS): the start goes on without a splash.
TEST_F(Splash, TruncatedLibraryIsSkippedQuietly) {
    copyTruncated(TEST_SPLASH, layout.root() / "rt/bin/splashscreen.so", 4096);
    const Result r = layout.run();
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(splashLines(layout).empty());
    EXPECT_EQ(layout.log().size(), 3u) << "the runtime's lines";
}

TEST_F(Splash, ImageCountZeroLoadsNoLibrary) {
    Layout plain(NOIMAGE_EXE);
    splashLibrary(plain.root() / "rt/bin");
    EXPECT_EQ(plain.run().status, 0);
    EXPECT_TRUE(splashLines(plain).empty());
}

TEST_F(Splash, NoSplashNoCloseAndASuccessfulStartLeavesTheSplashToTheRuntime) {
    splashLibrary(layout.root() / "rt/bin");
    EXPECT_EQ(layout.run().status, 0);
    EXPECT_EQ(splashLines(layout), (Lines{Init, Load}));

    Layout noSplash(SPLASH_EXE, false);
    splashLibrary(noSplash.root() / "rt/bin");
    noSplash.cpb({"replace", "splash-switch", "0"});
    EXPECT_EQ(noSplash.run().status, 1);
    EXPECT_TRUE(noSplash.log().empty());
}

}  // namespace
}  // namespace e2e
