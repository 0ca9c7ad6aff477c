#pragma once

#include "runtime/Graphics.h"
#include "runtime/win32/Core.h"

namespace rtwin {

// Paints the window's invalid area (WM_PAINT): the background, then the
// painter over it, in the window's coordinates.
void paintWith(HWND hwnd, HFONT font, rt::Painter& painter);

}  // namespace rtwin
