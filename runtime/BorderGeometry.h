#pragma once

#include <array>
#include <optional>
#include <utility>

#include "runtime/Component.h"
#include "runtime/Geometry.h"

namespace rt::border {

// One component as the arrangement sees it.
struct Item {
    Size preferred;
    Size minimum;
};

// One entry per place, indexed by placeIndex(); empty for a place with no
// component or a hidden one (it takes no room).
using Items = std::array<std::optional<Item>, 5>;
using Rects = std::array<Rect, 5>;

constexpr std::size_t placeIndex(BorderPlace place) { return static_cast<std::size_t>(place); }

// North and south over the full width, west, centre and east between them,
// each at its size: preferred or minimum.
Size preferredLayoutSize(const Items& items);
Size minimumLayoutSize(const Items& items);

// The rectangles of the places inside an area of the given size (starting
// at 0,0), indexed by placeIndex(); empty places get an empty rectangle.
//
// North and south keep their preferred heights and span the width; west and
// east keep their preferred widths; the centre takes the rest, down to
// nothing (a scroll pane there is what gives way). When even the edges do
// not fit, the far one (south, east) shrinks first, then the near one
// (north, west), each down to its minimum; below that nothing shrinks
// further: the places keep their order and what does not fit is cut off at
// the far side. Edges never overlap.
Rects layout(const Items& items, Size area);

// Which component holds each place. Putting one at a place replaces the
// holder, and takes it from any other place it held.
template <class T>
class Occupants {
public:
    // Returns the component displaced from the place, if another one.
    T* put(T& component, BorderPlace place) {
        T*& slot = at_[placeIndex(place)];
        if (slot == &component) return nullptr;
        remove(component);
        return std::exchange(slot, &component);
    }
    void remove(const T& component) {
        for (T*& holder : at_)
            if (holder == &component) holder = nullptr;
    }
    T* at(BorderPlace place) const { return at_[placeIndex(place)]; }
    const std::array<T*, 5>& all() const { return at_; }

private:
    std::array<T*, 5> at_{};
};

}  // namespace rt::border
