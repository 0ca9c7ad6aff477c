#pragma once

#include "runtime/TestDriver.h"
#include "runtime/qt/QtRuntime.h"

namespace rtqt {

// The test driver of the testing runtime, made on first use, watching the
// application for modal windows to answer. Tests bind it with
// rt::bindTestDriver(rtqt::testDriver).
RTQT_API rt::TestDriver& testDriver();

}  // namespace rtqt
