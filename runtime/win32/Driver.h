#pragma once

#include "runtime/TestDriver.h"
#include "runtime/win32/Win32Runtime.h"

namespace rtwin {

// The test driver of the testing runtime, made on first use, watching the
// application for modal windows to answer. Tests bind it with
// rt::bindTestDriver(rtwin::testDriver).
RTWIN_API rt::TestDriver& testDriver();

}  // namespace rtwin
