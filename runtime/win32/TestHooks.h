#pragma once

#include <optional>

#include "runtime/Text.h"
#include "runtime/win32/Core.h"

#include <commdlg.h>

namespace rtwin {

// What the toolkit asks a test driver, when one runs in the process. The
// product never sets any: each place that consults them checks the pointer.
class TestHooks {
public:
    // A modal dialog whose modal loop starts now.
    virtual void modalShown(HWND modal) = 0;
    // The answer armed for the file chooser about to open, taken: approve a
    // path or cancel (nothing inside); the chooser is set up to close as soon
    // as it is up. Nothing at all, and the chooser untouched, when no answer
    // is armed.
    virtual std::optional<std::optional<rt::String>> takeFileChooserAnswer(OPENFILENAMEW& chooser) = 0;
    // The time of the mouse gesture being sent, or nothing outside one.
    virtual std::optional<DWORD> gestureTime() const = 0;

protected:
    ~TestHooks() = default;
};

// The hooks of the driver that runs, or null.
inline TestHooks* testHooks = nullptr;

}  // namespace rtwin
