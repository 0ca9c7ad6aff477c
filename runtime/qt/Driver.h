#pragma once

#include "runtime/TestDriver.h"
#include "runtime/qt/QtRuntime.h"

class QWidget;

namespace rt {
class Component;
class Window;
}  // namespace rt

namespace rtqt {

// The test driver of the testing runtime, made on first use, watching the
// application for modal windows to answer. Tests bind it with
// rt::bindTestDriver(rtqt::testDriver).
RTQT_API rt::TestDriver& testDriver();

// The Qt widget behind a component or a window made by this toolkit, for
// tests that check what Qt shows; null for objects of another toolkit.
RTQT_API QWidget* widgetOf(const rt::Component& component);
RTQT_API QWidget* widgetOf(const rt::Window& window);

}  // namespace rtqt
