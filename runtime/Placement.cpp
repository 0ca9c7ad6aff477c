#include "runtime/Placement.h"

#include <algorithm>

namespace rt {

namespace {

// One axis: centred on [overStart, overStart + overLength), then clamped to
// [areaStart, areaStart + areaLength), the start winning when both bind.
int placeOnAxis(int length, int overStart, int overLength, int areaStart, int areaLength) {
    const int centred = overStart + (overLength - length) / 2;
    return std::max(std::min(centred, areaStart + areaLength - length), areaStart);
}

}  // namespace

Point placeOver(Size window, Rect over, Rect workArea) {
    return {placeOnAxis(window.width, over.x, over.width, workArea.x, workArea.width),
            placeOnAxis(window.height, over.y, over.height, workArea.y, workArea.height)};
}

}  // namespace rt
