// The splash step: where the splash library is looked for, what it is
// handed, and that every failure in it is quiet.

#include <gtest/gtest.h>

#include "tests/e2e/startup/Harness.h"

namespace e2e {
namespace {

using Lines = std::vector<std::string>;

const char* const Init = expect::SplashInit;
const char Load[] = "splash-load 15 JFIF test image";

// The splash lines of the record, in order.
Lines splashLines(const Layout& layout) {
    Lines lines;
    for (const auto& line : layout.log()) {
        if (line.rfind("splash-", 0) == 0) lines.push_back(line);
    }
    return lines;
}

class Splash : public testing::Test {
protected:
    Splash() : layout(SPLASH_EXE) {}
    void splashLibrary(const fs::path& directory, const char* library = TEST_SPLASH) {
        copyFile(library, directory / "splashscreen.so");
    }
    Layout layout;
};

TEST_F(Splash, ShownFromTheRuntimeDirectoryBeforeTheRuntimeLoads) {
    splashLibrary(layout.root() / "rt/bin");
    const Result r = layout.run();
    EXPECT_EQ(r.status, 0) << r.err;
    const Lines log = layout.log();
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(log[0], Init);
    EXPECT_EQ(log[1], Load);
    EXPECT_EQ(log[2].rfind("loader ", 0), 0u);
}

TEST_F(Splash, SwitchOffOrAbsentLoadsNothing) {
    splashLibrary(layout.root() / "rt/bin");
    layout.cpb({"replace", "splash-switch", "0"});
    EXPECT_EQ(layout.run().status, 0);
    EXPECT_TRUE(splashLines(layout).empty());
    layout.cpb({"remove", "splash-switch"});
    EXPECT_EQ(layout.run().status, 0);
    EXPECT_TRUE(splashLines(layout).empty());
}

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

TEST_F(Splash, LibraryWithoutLoadMemoryGetsNoCallAtAll) {
    splashLibrary(layout.root() / "rt/bin", TEST_SPLASH_NOLOAD);
    EXPECT_EQ(layout.run().status, 0);
    EXPECT_TRUE(splashLines(layout).empty());
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

// A fatal message takes the splash off the screen first, so that it is
// never hidden behind it.
TEST_F(Splash, SplashIsClosedAtOnceBeforeTheMissingRuntimeIsReported) {
    Layout missing(SPLASH_EXE, false);
    splashLibrary(missing.root() / "rt/bin");
    const Result r = missing.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, unableToLoad((missing.root() / "rt/kovrt/ZKRN6407.so").string(), missing.exe()));
    EXPECT_EQ(missing.log(), (Lines{Init, Load, expect::SplashCloseNow}));
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
