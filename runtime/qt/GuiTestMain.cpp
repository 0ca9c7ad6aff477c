// main() of the GUI test executables: the real runtime component on Qt's
// offscreen platform (unless the environment chooses another), bound to the
// test executable's own copy of the toolkit interface.

#include <gtest/gtest.h>

#include <cstdlib>

#include "runtime/Toolkit.h"
#include "runtime/qt/QtRuntime.h"

int main(int argc, char** argv) {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform == nullptr || *platform == '\0') setenv("QT_QPA_PLATFORM", "offscreen", 1);
    testing::InitGoogleTest(&argc, argv);
    rt::bindToolkit(&rtqt::startToolkit(argc, argv));
    return RUN_ALL_TESTS();
}
