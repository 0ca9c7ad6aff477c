// The runtime found through an installed KOV profile, as only the native
// start-up looks for it: the order of the PATH search and the elements it
// skips (the scenarios both platforms share are in SharedScenariosTest.cpp).

#include <gtest/gtest.h>

#include "tests/e2e/startup/Scenarios.h"

namespace e2e {
namespace {

TEST_F(Installation, PathSearchInOrderWithTrailingSeparators) {
    const fs::path first = install("first", false, false);
    const fs::path second = install("second", false, false);
    const Result r = runWithSearchList(layout.root().string() + "/nothing:" + (first / "bin").string() + "/:" +
                                       (second / "bin").string());
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, layout.shown(expect::profileMissing(layout.seenExe(), layout.seen("first/profile2.8.0_07"))));
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
