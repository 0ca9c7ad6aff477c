#include "runtime/FlowGeometry.h"

#include <algorithm>

namespace rt::flow {
namespace {

// The row itself: the components and the gaps between them.
Size rowSize(const std::vector<Size>& preferred) {
    Size row{preferred.empty() ? 0 : -Gap, 0};
    for (const Size& size : preferred) {
        row.width += size.width + Gap;
        row.height = std::max(row.height, size.height);
    }
    return row;
}

}  // namespace

Size preferredLayoutSize(const std::vector<Size>& preferred) {
    const Size row = rowSize(preferred);
    return {row.width + 2 * Gap, row.height + 2 * Gap};
}

std::vector<Rect> layout(const std::vector<Size>& preferred, Size area) {
    const Size row = rowSize(preferred);
    // Of an odd space left, the extra pixel goes to the left.
    const int spare = area.width - row.width;
    int x = spare - spare / 2;
    std::vector<Rect> rects;
    rects.reserve(preferred.size());
    for (const Size& size : preferred) {
        rects.push_back({x, Gap + (row.height - size.height) / 2, size.width, size.height});
        x += size.width + Gap;
    }
    return rects;
}

}  // namespace rt::flow
