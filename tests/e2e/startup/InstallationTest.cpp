// The runtime found through an installed KOV profile: blocks without a DLL
// map, marker files on the search list, profile directories.

#include <gtest/gtest.h>

#include "tests/e2e/startup/Harness.h"

namespace e2e {
namespace {

using Lines = std::vector<std::string>;

std::string profileMissing(const fs::path& exe, const fs::path& profile) {
    return onStandardError(expect::profileMissing(exe.string(), profile.string()));
}

std::string profileDamaged(const fs::path& exe, const fs::path& profile) {
    return onStandardError(expect::profileDamaged(exe.string(), profile.string()));
}

// A layout whose block has no DLL map; the executable sits in app/.
class Installation : public testing::Test {
protected:
    Installation() : layout(HANGMAN_EXE, false) {
        layout.moveExecutable("app/hangman");
        layout.cpb({"remove", "dll-map"});
    }
    // An installation under root: bin/kov640.home, optionally the profile
    // directory and the kernel in it.
    fs::path install(const std::string& name, bool profile, bool kernel) {
        const fs::path root = layout.root() / name;
        touch(root / "bin/kov640.home");
        if (profile) fs::create_directories(root / "profile2.8.0_07");
        if (kernel) copyFile(TEST_RUNTIME, root / "profile2.8.0_07/jre/kovrt/ZKRN6407.so");
        return root;
    }
    Result runWithPath(const std::string& path) const {
        return layout.run({{"PATH", path + ":/usr/bin:/bin"}});
    }

    Layout layout;
};

TEST_F(Installation, NoProfileName) {
    layout.cpb({"remove", "profile"});
    const Result r = layout.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, onStandardError(expect::NoProfileName));
}

TEST_F(Installation, NoMarkerAnywhere) {
    const Result r = layout.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, installationMissing(expect::InstalledVersion));
    layout.cpb({"set-word", "3", "5"});
    EXPECT_EQ(layout.run().err, installationMissing(expect::OtherMinorVersion));
    // The marker's name follows the version: kov605.home.
    const fs::path root = install("kov", true, true);
    touch(root / "bin/kov605.home");
    EXPECT_EQ(runWithPath((root / "bin").string()).status, 0);
}

TEST_F(Installation, ProfileDirectoryMissing) {
    const fs::path root = install("kov", false, false);
    const Result r = runWithPath((root / "bin").string());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, profileMissing(layout.exe(), root / "profile2.8.0_07"));
}

TEST_F(Installation, KernelMissingInTheProfile) {
    const fs::path root = install("kov", true, false);
    const Result r = runWithPath((root / "bin").string());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, profileDamaged(layout.exe(), root / "profile2.8.0_07"));
}

TEST_F(Installation, StartsFromTheProfile) {
    const fs::path root = install("kov", true, true);
    const Result r = runWithPath((root / "bin").string());
    EXPECT_EQ(r.status, 0) << r.err;
    const Lines log = layout.log();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].rfind("loader " + (root / "profile2.8.0_07/jre/kovrt/ZKRN6407.so").string(), 0), 0u)
        << log[0];
}

TEST_F(Installation, ExecutableDirectoryComesBeforePath) {
    const fs::path onPath = install("kov", false, false);
    touch(layout.exe().parent_path() / "kov640.home");
    const Result r = runWithPath((onPath / "bin").string());
    EXPECT_EQ(r.status, 1);
    // The marker beside the executable wins: its root is the layout's root.
    EXPECT_EQ(r.err, profileMissing(layout.exe(), layout.root() / "profile2.8.0_07"));
}

TEST_F(Installation, PathSearchInOrderWithTrailingSeparators) {
    const fs::path first = install("first", false, false);
    const fs::path second = install("second", false, false);
    const Result r = runWithPath(layout.root().string() + "/nothing:" + (first / "bin").string() + "/:" +
                                 (second / "bin").string());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, profileMissing(layout.exe(), first / "profile2.8.0_07"));
}

// Empty and relative PATH elements are skipped: they would make the search
// look where the program is started, and a marker planted there (with a
// whole installation for it) would choose the runtime that is loaded.
TEST_F(Installation, MarkerInTheCurrentDirectoryIsNeverUsed) {
    const fs::path cwd = layout.root() / "cwd";
    plantInstallationsAt(cwd, TEST_RUNTIME, "ZKRN6407.so");
    for (const std::string path : {":/usr/bin:/bin", "/usr/bin:/bin:", "/usr/bin::/bin", "rel:/usr/bin",
                                   "./rel:/usr/bin:/bin", ".:/usr/bin"}) {
        const Result r = layout.runCommand({"/bin/sh", "-c", "cd \"$1\" && exec \"$2\"", "sh", cwd.string(),
                                            layout.exe().string()},
                                           {{"PATH", path}});
        EXPECT_EQ(r.status, 1) << "PATH=" << path;
        EXPECT_EQ(r.err, installationMissing(expect::InstalledVersion)) << "PATH=" << path;
        EXPECT_TRUE(layout.log().empty()) << "PATH=" << path;
    }
}

}  // namespace
}  // namespace e2e
