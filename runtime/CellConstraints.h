#pragma once

#include "runtime/Geometry.h"

namespace rt {

// Placement record of the grid-bag layout. The numeric values of the anchor
// and fill constants are the toolkit's published ones, so code that stores or
// prints them sees the familiar numbers.
enum class Anchor : int {
    Center = 10,
    North = 11,
    NorthEast = 12,
    East = 13,
    SouthEast = 14,
    South = 15,
    SouthWest = 16,
    West = 17,
    NorthWest = 18,
};

enum class Fill : int {
    None = 0,
    Both = 1,
    Horizontal = 2,
    Vertical = 3,
};

// A grid index of Relative places the component right after (gridx) or
// below (gridy) the previously added one.
inline constexpr int Relative = -1;
// A span of Remainder makes the component the last one of its row / column.
inline constexpr int Remainder = 0;

struct CellConstraints {
    int gridx = Relative;
    int gridy = Relative;
    int gridwidth = 1;
    int gridheight = 1;
    double weightx = 0.0;
    double weighty = 0.0;
    Anchor anchor = Anchor::Center;
    Fill fill = Fill::None;
    Insets insets{};
    friend bool operator==(const CellConstraints&, const CellConstraints&) = default;
};

}  // namespace rt
