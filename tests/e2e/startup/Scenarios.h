#pragma once

// The fixtures of the start-up scenarios that the native suite and the one
// under wine64 share (SharedScenariosTest.cpp) and that each suite's own
// scenarios use too. Each suite defines platformLayout for its platform.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/startup/Harness.h"

namespace e2e {

using Lines = std::vector<std::string>;

// A layout of the platform the suite runs on: Layout natively, WineLayout
// under wine64.
std::unique_ptr<Layout> platformLayout(const std::string& executable = HANGMAN_EXE, bool runtime = true);

// The runtime's place in a layout, as the program names it.
std::string runtimeSeen(const Layout& layout);

// The splash lines of the record, in order.
Lines splashLines(const Layout& layout);

// A layout whose block has no DLL map; the executable sits in app/.
class Installation : public testing::Test {
protected:
    Installation();
    // An installation under the layout's directory name: bin/kov640.home,
    // optionally the profile directory and the kernel in it.
    // Returns its root.
    fs::path install(const std::string& name, bool profile, bool kernel);
    Result runWithSearchList(const std::string& directories) const;

    std::unique_ptr<Layout> owned;
    Layout& layout;
};

// A layout of the program with a splash image and the recording splash
// library.
class Splash : public testing::Test {
protected:
    Splash();
    void splashLibrary(const fs::path& directory, const char* library = TEST_SPLASH) const;

    std::unique_ptr<Layout> owned;
    Layout& layout;
};

}  // namespace e2e
