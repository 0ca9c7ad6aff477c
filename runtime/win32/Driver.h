#pragma once

#include <memory>
#include <optional>

#include "runtime/TestDriver.h"

namespace rtwin {

// The test driver, watching the application for modal windows to answer.
std::unique_ptr<rt::TestDriver> makeTestDriver();

// The answer armed for the next file chooser, taken: approve a path or
// cancel (nothing inside). Nothing at all when no answer is armed.
std::optional<std::optional<rt::String>> takeFileChooserAnswer();
// The folder an answered file chooser was showing when it opened.
void noteFileChooserDirectory(const rt::String& directory);

}  // namespace rtwin
