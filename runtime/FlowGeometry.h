#pragma once

#include <vector>

#include "runtime/Geometry.h"

namespace rt::flow {

// Room around the row and between neighbours in it.
constexpr int Gap = 5;

// One row of the components' preferred sizes with the gaps around and
// between them. A flow never shrinks its components, so this is also its
// minimum size.
Size preferredLayoutSize(const std::vector<Size>& preferred);

// Places each component, at its preferred size and in the order given, in
// one row inside an area of the given size (starting at 0,0). The row starts
// a gap below the top and is centred across the area, also when wider than
// it (cut off evenly at both sides); each component is centred on the row's
// height.
std::vector<Rect> layout(const std::vector<Size>& preferred, Size area);

}  // namespace rt::flow
