#include "tests/e2e/startup/Scenarios.h"

namespace e2e {

std::string runtimeSeen(const Layout& layout) { return layout.seen("rt/kovrt/" + layout.library("ZKRN6407")); }

Lines splashLines(const Layout& layout) {
    Lines lines;
    for (const auto& line : layout.log()) {
        if (line.rfind("splash-", 0) == 0) lines.push_back(line);
    }
    return lines;
}

Installation::Installation() : owned(platformLayout(HANGMAN_EXE, false)), layout(*owned) {
    layout.moveExecutable("app" / layout.exe().filename());
    layout.cpb({"remove", "dll-map"});
}

fs::path Installation::install(const std::string& name, bool profile, bool kernel) {
    const fs::path root = layout.root() / name;
    touch(root / "bin/kov640.home");
    if (profile) fs::create_directories(root / "profile2.8.0_07");
    if (kernel) copyFile(TEST_RUNTIME, root / "profile2.8.0_07/jre/kovrt" / layout.library("ZKRN6407"));
    return root;
}

Result Installation::runWithSearchList(const std::string& directories) const {
    return layout.run(layout.searchList(directories));
}

Splash::Splash() : owned(platformLayout(SPLASH_EXE)), layout(*owned) {}

void Splash::splashLibrary(const fs::path& directory, const char* library) const {
    copyFile(library, directory / layout.library("splashscreen"));
}

}  // namespace e2e
