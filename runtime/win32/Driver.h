#pragma once

#include "runtime/TestDriver.h"
#include "runtime/win32/Win32Runtime.h"

namespace rt {
class Component;
class Window;
}  // namespace rt

namespace rtwin {

// The test driver of the testing runtime, made on first use, watching the
// application for modal windows to answer. Tests bind it with
// rt::bindTestDriver(rtwin::testDriver).
RTWIN_API rt::TestDriver& testDriver();

// The native window behind a component or a window made by this toolkit,
// for tests that check what the system shows; null for other objects.
RTWIN_API void* nativeWindowOf(const rt::Component& component);
RTWIN_API void* nativeWindowOf(const rt::Window& window);

}  // namespace rtwin
