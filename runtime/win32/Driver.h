#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "runtime/TestDriver.h"

namespace rtwin {

// The test driver, watching the application for modal windows to answer.
std::unique_ptr<rt::TestDriver> makeTestDriver();

// The answer armed for the next file chooser, taken: approve a path or
// cancel (nothing inside). Nothing at all when no answer is armed.
std::optional<std::optional<rt::String>> takeFileChooserAnswer();
// What an answered file chooser was showing when it opened: its folder, the
// file types in its list and the type selected.
void noteFileChooser(const rt::String& directory, std::vector<rt::String> types, const rt::String& selectedType);

}  // namespace rtwin
