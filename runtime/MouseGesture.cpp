#include "runtime/MouseGesture.h"

#include <algorithm>
#include <cstdlib>

namespace rt {

bool Reach::holds(Point from, Point to) const {
    const int dx = std::abs(to.x - from.x);
    const int dy = std::abs(to.y - from.y);
    return manhattan ? dx + dy <= x : dx <= x && dy <= y;
}

int MouseGesture::press(Point point, std::uint32_t time, const GestureLimits& limits, bool doubleByPlatform) {
    // Unsigned subtraction measures the interval across a wrap of the clock.
    const std::uint32_t elapsed = time - lastPressTime_;
    const bool continues = doubleByPlatform || (count_ > 0 && elapsed <= limits.doubleClickTime &&
                                                limits.doubleClickReach.holds(lastPressPoint_, point));
    count_ = continues ? count_ + 1 : 1;
    lastPressTime_ = time;
    lastPressPoint_ = point;
    return count_;
}

bool MouseGesture::clicks(Point point, bool inside, const GestureLimits& limits) const {
    return inside && limits.clickReach.holds(lastPressPoint_, point);
}

int MouseGesture::count() const { return std::max(count_, 1); }

}  // namespace rt
