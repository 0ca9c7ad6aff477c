// The driver interface's anchors and the accessor tests reach it through.
#include <cstdio>
#include <cstdlib>

#include "runtime/TestDriver.h"

namespace rt {

ModalWindow::~ModalWindow() = default;
TestDriver::~TestDriver() = default;

namespace {
TestDriver& (*boundDriver)() = nullptr;
}

TestDriver& testDriver() {
    if (boundDriver == nullptr) {
        std::fputs("No test driver is bound: the testing runtime was not started.\n", stderr);
        std::abort();
    }
    return boundDriver();
}

void bindTestDriver(TestDriver& (*driver)()) { boundDriver = driver; }

}  // namespace rt
