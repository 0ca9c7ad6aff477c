#pragma once

#include <memory>

#include "runtime/TestDriver.h"

namespace rtqt {

// The test driver, watching the application for modal windows to answer.
std::unique_ptr<rt::TestDriver> makeTestDriver();

// Property of a file dialog answered by the driver: the path to take.
inline constexpr const char* AnsweredPathProperty = "rtAnsweredPath";

}  // namespace rtqt
