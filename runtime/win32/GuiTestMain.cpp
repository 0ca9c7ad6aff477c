// main() of the GUI test executables on Windows: the testing runtime (the
// real toolkit with its driver), bound to the test executable's own copy of
// the toolkit interface.

#include <gtest/gtest.h>

#include "runtime/TestDriver.h"
#include "runtime/Toolkit.h"
#include "runtime/win32/Driver.h"
#include "runtime/win32/Win32Runtime.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    rt::bindToolkit(&rtwin::startToolkit());
    rt::bindTestDriver(rtwin::testDriver);
    return RUN_ALL_TESTS();
}
