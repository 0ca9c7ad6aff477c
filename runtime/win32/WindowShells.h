#pragma once

#include "runtime/win32/Core.h"

namespace rt {
class Window;
}

namespace rtwin {

void registerTopClass(WNDCLASSEXW base);

// The native window of a window made by this toolkit, and back.
HWND windowHandle(const rt::Window& window);
rt::Window* windowOfHandle(HWND hwnd);

// The innermost modal dialog being shown, or null.
HWND currentModal();
// The visible window of ours shown last, or null.
HWND lastShownWindow();

// Delivers one message as the event loop does (dialog keys, then dispatch).
void dispatchMessage(MSG& message);

}  // namespace rtwin

namespace rtwin {

// Visual styles: the current one applied to a window and everything in it,
// or to one new control.
void applyCurrentStyle(HWND root);
void styleControl(HWND control);
void styleNewControl(HWND control);

}  // namespace rtwin
