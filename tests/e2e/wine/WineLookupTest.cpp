// The Windows start-up under wine64, continued: the runtime found through
// an installed KOV profile (marker file on the search list, PATH given to
// Wine through WINEPATH) and the splash library.

#include <gtest/gtest.h>

#include "tests/e2e/wine/WineHarness.h"

namespace e2e::wine {
namespace {

using Lines = std::vector<std::string>;
using expect::loaderLine;

// A layout whose block has no DLL map; the executable sits in app\.
class WineInstallation : public testing::Test {
protected:
    WineInstallation() : layout(HANGMAN_EXE, false) {
        layout.moveExecutable("app/hangman.exe");
        layout.cpb({"remove", "dll-map"});
    }
    // An installation under root: bin\kov640.home, optionally the profile
    // directory and the kernel in it.
    fs::path install(const std::string& name, bool profile, bool kernel) {
        const fs::path root = layout.root() / name;
        touch(root / "bin/kov640.home");
        if (profile) fs::create_directories(root / "profile2.8.0_07");
        if (kernel) copyFile(TEST_RUNTIME, root / "profile2.8.0_07/jre/kovrt/ZKRN6407.dll");
        return root;
    }
    Result runWithPath(const std::string& path) const { return layout.run({{"WINEPATH", path}}); }

    WineLayout layout;
};

TEST_F(WineInstallation, NoProfileNameOrNoMarker) {
    Result r = layout.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, installationMissing(expect::InstalledVersion));

    layout.cpb({"set-word", "3", "5"});
    r = layout.run();
    EXPECT_EQ(r.err, installationMissing(expect::OtherMinorVersion));

    layout.cpb({"remove", "profile"});
    r = layout.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, onStandardError(expect::NoProfileName));
}

TEST_F(WineInstallation, ProfileMissingThenDamagedThenStarting) {
    install("kov", false, false);
    const std::string bin = layout.win("kov/bin");
    const std::string profile = layout.win("kov/profile2.8.0_07");
    Result r = runWithPath(bin);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, onStandardError(expect::profileMissing(layout.winExe(), profile)));

    install("kov", true, false);
    r = runWithPath(bin);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, onStandardError(expect::profileDamaged(layout.winExe(), profile)));

    install("kov", true, true);
    r = runWithPath(bin + "\\");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(layout.log(), expect::startedLines(profile + "\\jre\\kovrt\\ZKRN6407.dll"));
}

TEST_F(WineInstallation, ExecutableDirectoryComesBeforePath) {
    install("onpath", true, true);
    touch(layout.root() / "app/kov640.home");
    const Result r = runWithPath(layout.win("onpath/bin"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, onStandardError(expect::profileMissing(layout.winExe(), layout.win("profile2.8.0_07"))));
}

// Empty and relative PATH elements (also drive- and root-relative ones) are
// skipped: a marker planted where the program is started, with a whole
// installation for it, never chooses the runtime.
TEST_F(WineInstallation, MarkerInTheCurrentDirectoryIsNeverUsed) {
    const fs::path cwd = layout.root() / "cwd";
    plantInstallationsAt(cwd, TEST_RUNTIME, "ZKRN6407.dll");
    const std::string rooted = layout.win("cwd/rel").substr(2);  // "\tmp\...": the current drive's root
    for (const std::string& path :
         std::vector<std::string>{";C:\\windows", "C:\\windows;;C:\\windows\\system32", "rel", ".\\rel;.", "Z:rel", rooted}) {
        const Result r = layout.run({{"WINEPATH", path}}, cwd);
        EXPECT_EQ(r.status, 1) << "WINEPATH=" << path;
        EXPECT_EQ(r.err, installationMissing(expect::InstalledVersion)) << "WINEPATH=" << path;
        EXPECT_TRUE(layout.log().empty()) << "WINEPATH=" << path;
    }
}

// A layout of the program with a splash image and the recording splash
// library.
class WineSplash : public testing::Test {
protected:
    WineSplash() : layout(SPLASH_EXE) {}
    void splashLibrary(const fs::path& directory, const char* library = TEST_SPLASH) {
        copyFile(library, directory / "splashscreen.dll");
    }

    WineLayout layout;
};

TEST_F(WineSplash, ShownFromTheRuntimeDirectoryBeforeTheRuntimeLoads) {
    splashLibrary(layout.root() / "rt/bin");
    const Result r = layout.run();
    EXPECT_EQ(r.status, 0) << r.err;
    const Lines log = layout.log();
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(log[0], expect::SplashInit);
    EXPECT_EQ(log[1].rfind("splash-load ", 0), 0u) << log[1];
    EXPECT_EQ(log[2], loaderLine(layout.win("rt/kovrt/ZKRN6407.dll")));
}

TEST_F(WineSplash, SwitchOffOrLibraryWithoutLoadMemoryCallsNothing) {
    splashLibrary(layout.root() / "rt/bin");
    layout.cpb({"replace", "splash-switch", "0"});
    EXPECT_EQ(layout.run().status, 0);
    EXPECT_EQ(layout.log().size(), 3u) << "only the runtime's lines";

    WineLayout noload(SPLASH_EXE);
    splashLibrary(noload.root() / "rt/bin", TEST_SPLASH_NOLOAD);
    EXPECT_EQ(noload.run().status, 0);
    EXPECT_EQ(noload.log().size(), 3u) << "not even SplashInitEx";
}

// Without rt\bin the library is loaded by its bare name: from the
// program's directory, but never from the current directory, where anyone
// could have put a DLL of that name.
TEST_F(WineSplash, BareNameIsNeverTakenFromTheCurrentDirectory) {
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

// A fatal message takes the splash off the screen first.
TEST_F(WineSplash, SplashIsClosedAtOnceBeforeTheMissingRuntimeIsReported) {
    splashLibrary(layout.root() / "rt/bin");
    fs::remove(layout.root() / "rt/kovrt/ZKRN6407.dll");
    const Result r = layout.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, unableToLoad(layout.win("rt/kovrt/ZKRN6407.dll"), layout.winExe()));
    const Lines log = layout.log();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[2], expect::SplashCloseNow);
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
    const Result box = runWindows({BOXREADER_EXE, layout.winExe()}, sessionEnvironment(), layout.root());
    ASSERT_EQ(box.status, 0) << "no message box titled " << layout.winExe();
    EXPECT_EQ(box.err, "foreground");
    EXPECT_EQ(program.wait(30), 1);
}

}  // namespace
}  // namespace e2e::wine
