#pragma once

#include "runtime/Geometry.h"

namespace rt {

// Where a window of the given outer size goes when placed over another
// window (outer frame `over`): centred on it, then moved inside the work area
// of the screen; when it cannot fit, its top-left corner stays on the screen.
// Returns the window's top-left corner.
Point placeOver(Size window, Rect over, Rect workArea);

}  // namespace rt
