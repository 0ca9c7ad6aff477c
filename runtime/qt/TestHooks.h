#pragma once

#include <optional>

#include "runtime/Text.h"

namespace rtqt {

// What the toolkit asks a test driver, when one runs in the process. The
// product never sets any: each place that consults them checks the pointer.
class TestHooks {
public:
    // The path the driver approved in the file chooser that just closed,
    // taken; nothing when the driver did not answer it.
    virtual std::optional<rt::String> takeAnsweredPath() = 0;

protected:
    ~TestHooks() = default;
};

// The hooks of the driver that runs, or null.
inline TestHooks* testHooks = nullptr;

}  // namespace rtqt
