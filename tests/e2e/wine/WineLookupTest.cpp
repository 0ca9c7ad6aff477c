// The Windows start-up under wine64, continued: what only the Windows stub
// does in the runtime lookup through an installed KOV profile (PATH given to
// Wine through WINEPATH) and in the splash step (the scenarios both
// platforms share are in tests/e2e/startup/SharedScenariosTest.cpp).

#include <gtest/gtest.h>

#include "tests/e2e/startup/Scenarios.h"
#include "tests/e2e/wine/WineHarness.h"

namespace e2e::wine {
namespace {

// Empty and relative PATH elements (also drive- and root-relative ones) are
// skipped: a marker planted where the program is started, with a whole
// installation for it, never chooses the runtime.
TEST_F(Installation, MarkerInTheCurrentDirectoryIsNeverUsed) {
    const fs::path cwd = layout.root() / "cwd";
    plantInstallationsAt(cwd, TEST_RUNTIME, "ZKRN6407.dll");
    const std::string rooted = layout.seen("cwd/rel").substr(2);  // "\tmp\...": the current drive's root
    for (const std::string& path :
         std::vector<std::string>{";C:\\windows", "C:\\windows;;C:\\windows\\system32", "rel", ".\\rel;.", "Z:rel", rooted}) {
        const Result r = layout.run({{"WINEPATH", path}}, cwd);
        EXPECT_EQ(r.status, 1) << "WINEPATH=" << path;
        EXPECT_EQ(r.err, installationMissing(expect::InstalledVersion)) << "WINEPATH=" << path;
        EXPECT_TRUE(layout.log().empty()) << "WINEPATH=" << path;
    }
}

// The message naming a profile, with name in place of the program's
// profile name.
std::string withProfileName(std::string message, const std::string& name) {
    const std::string quoted = "\"2.8.0_07\"";
    for (std::size_t at = message.find(quoted); at != std::string::npos; at = message.find(quoted, at + 1)) {
        message.replace(at, quoted.size(), "\"" + name + "\"");
    }
    return message;
}

// The installation's directories are tested as a search for them tests
// them: a profile name with a wildcard matches the program's profile
// directory as a pattern, and the kernel's path, the pattern now in a
// directory, is then not found; a kernel name that leaves the kernel's
// path ending in a separator names no file.
TEST_F(Installation, PathsAreTestedAsASearchTestsThem) {
    install("kov", true, true);
    layout.cpb({"replace", "profile", "2.8.0_0?"});
    Result r = runWithSearchList(layout.seen("kov/bin"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, withProfileName(layout.shown(expect::profileDamaged(layout.seenExe(),
                                                                        layout.seen("kov/profile2.8.0_0?"))),
                                      "2.8.0_0?"));

    layout.cpb({"replace", "profile", "2.8.0_07"});
    layout.cpb({"replace", "kernel-dll", ""});
    r = runWithSearchList(layout.seen("kov/bin"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, layout.shown(expect::profileDamaged(layout.seenExe(), layout.seen("kov/profile2.8.0_07"))));
}

// A kernel that a library of the process loaded before the lookup (here
// the splash library) is taken as it is, from any directory and whatever
// the case of its file name; a module whose file name only ends with the
// kernel's name is another library. Without a map and a profile, only a
// kernel found loaded lets the program start.
TEST_F(Splash, KernelAlreadyInTheProcessIsUsedWithoutAnyPath) {
    splashLibrary(layout.root() / "rt/bin", TEST_SPLASH_PRELOADING);
    fs::remove(layout.root() / "rt/kovrt/ZKRN6407.dll");
    layout.cpb({"remove", "dll-map"});
    layout.cpb({"remove", "profile"});
    for (const std::string preloaded : {"upper/ZKRN6407.dll", "lower/zkrn6407.DLL"}) {
        copyFile(TEST_RUNTIME, layout.root() / preloaded);
        fs::remove(layout.root() / "log.txt");
        const Result r = layout.run({{"KOV_TEST_PRELOAD", layout.seen(preloaded)}});
        EXPECT_EQ(r.status, 0) << preloaded << ": " << r.err;
        EXPECT_EQ(layout.log(), expect::startedLines(layout.seen(preloaded))) << preloaded;
    }

    copyFile(TEST_RUNTIME, layout.root() / "other/XZKRN6407.dll");
    fs::remove(layout.root() / "log.txt");
    const Result r = layout.run({{"KOV_TEST_PRELOAD", layout.seen("other/XZKRN6407.dll")}});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, layout.shown(expect::NoProfileName));
    EXPECT_TRUE(layout.log().empty());
}

// Without rt\bin the library is loaded by its bare name: from the
// program's directory, but never from the current directory, where anyone
// could have put a DLL of that name.
TEST_F(Splash, BareNameIsNeverTakenFromTheCurrentDirectory) {
    const fs::path elsewhere = layout.root() / "cwd";
    splashLibrary(elsewhere);
    Result r = layout.run({}, elsewhere);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(layout.log().size(), 3u) << "the planted library ran";

    fs::remove(layout.root() / "log.txt");
    splashLibrary(layout.root());
    r = layout.run({}, elsewhere);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(layout.log().front(), expect::SplashInit);
}

// The GUI program with its real splash library and image: the fatal
// message box is never under the splash, which goes before the box shows
// (even within the splash's minimum time) and never comes back.
TEST(WineRealSplash, FatalMessageBoxIsNeverUnderTheSplash) {
    WineLayout layout(GUI_EXE, false);
    copyFile(REAL_SPLASH, layout.root() / "rt/bin/splashscreen.dll");
    layout.cpb({"replace", "splash-value", "50"});
    Background program({"/bin/sh", "-c", "cd \"$1\" && exec \"$2\" \"$3\"", "sh", layout.root().string(), WINE64,
                        layout.exe().string()},
                       layout.wineEnvironment({}), layout.root() / "program-err.txt");
    const Result box = runWindows({BOXREADER_EXE, layout.seenExe()}, sessionEnvironment(), layout.root());
    ASSERT_EQ(box.status, 0) << "no message box titled " << layout.seenExe();
    EXPECT_EQ(box.err, "foreground");
    EXPECT_EQ(program.wait(30), 1);
}

}  // namespace
}  // namespace e2e::wine
