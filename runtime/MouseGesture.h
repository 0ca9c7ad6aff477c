#pragma once

#include <cstdint>

#include "runtime/Geometry.h"

namespace rt {

// How far the pointer may stray from a press and still count as in place:
// up to x and y either side (a box), or, with manhattan set, a Manhattan
// distance of up to x.
struct Reach {
    int x = 0;
    int y = 0;
    bool manhattan = false;

    bool holds(Point from, Point to) const;
};

// The platform's settings for mouse gestures, read when an event arrives so
// that a change in the system settings takes effect at once.
struct GestureLimits {
    std::uint32_t doubleClickTime = 0;  // milliseconds
    Reach doubleClickReach;             // from the previous press
    Reach clickReach;                   // from the press to its release
};

// The click counting of one component's mouse gestures: a press within the
// double-click time and reach of the previous one continues the gesture
// (2, 3, ...), any other press starts a new one at 1; a release inside the
// component within reach of its press is a click. Times are the platform's
// millisecond clock; they may wrap around at 2^32.
class MouseGesture {
public:
    // Records a press and returns its click count. doubleByPlatform: the
    // platform has itself reported the press as a double click.
    int press(Point point, std::uint32_t time, const GestureLimits& limits, bool doubleByPlatform = false);
    // Whether a release at point (inside: within the component) is a click.
    bool clicks(Point point, bool inside, const GestureLimits& limits) const;
    // The click count reported with every other mouse event (at least 1).
    int count() const;

private:
    int count_ = 0;
    std::uint32_t lastPressTime_ = 0;
    Point lastPressPoint_;
};

}  // namespace rt
