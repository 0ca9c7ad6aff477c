#pragma once

#include "runtime/Widgets.h"
#include "runtime/Windows.h"
#include "runtime/win32/Core.h"

namespace rtwin {

// The container window class: lays out its children when resized or when
// its layout is out of date, and reflects notifications to them.
void registerContainerClass(WNDCLASSEXW base);
bool isContainerWindow(HWND hwnd);
// Called by a container as it lays out: true when a layout request was
// pending, which this layout answers.
bool takeLayoutRequest(HWND container);

// A new content pane in the border arrangement, for windows (ofWindow)
// and applets: its window is made in the window it fills, when that is
// made.
rt::Container* makeContentPane(bool ofWindow);

// Lays a container (and the containers in it) out at once.
void layoutNow(HWND container);

}  // namespace rtwin
