#pragma once

#include <vector>

#include "runtime/CellConstraints.h"
#include "runtime/Geometry.h"

namespace rt::gridbag {

// One component as the layout sees it: its constraints and its sizes.
struct Item {
    CellConstraints constraints;
    Size preferred;
    Size minimum;
};

// Size the layout asks for: the preferred sizes of all items (with insets)
// arranged on the grid.
Size preferredLayoutSize(const std::vector<Item>& items);
Size minimumLayoutSize(const std::vector<Item>& items);

// Places every item inside a container area of the given size (the area
// starts at 0,0). Returns one rectangle per item, in the order given.
//
// The rule: relative grid indexes are resolved in order of the items; each
// row and column gets the largest weight of the items that end in it; the
// space left over after the preferred sizes (or, when the area is smaller than
// preferred, after the minimum sizes) is shared among rows and columns in
// proportion to their weights; with no weights the grid is centred. Inside
// its cell block an item is shrunk by its insets, stretched according to its
// fill and positioned according to its anchor.
std::vector<Rect> layout(const std::vector<Item>& items, Size area);

}  // namespace rt::gridbag
