// The native suite's layouts for the scenarios both suites share.

#include "tests/e2e/startup/Scenarios.h"

namespace e2e {

std::unique_ptr<Layout> platformLayout(const std::string& executable, bool runtime) {
    return std::make_unique<Layout>(executable, runtime);
}

}  // namespace e2e
