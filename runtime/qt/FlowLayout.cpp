#include "runtime/qt/FlowLayout.h"

#include "runtime/FlowGeometry.h"

namespace rtqt {
namespace {

std::vector<rt::Size> preferredSizes(const std::vector<QLayoutItem*>& items) {
    std::vector<rt::Size> sizes;
    for (const QLayoutItem* item : items) sizes.push_back(preferredSizeOf(*item));
    return sizes;
}

}  // namespace

QSize FlowLayout::sizeHint() const {
    const rt::Size size = rt::flow::preferredLayoutSize(preferredSizes(shownItems()));
    return {size.width, size.height};
}

void FlowLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    const std::vector<QLayoutItem*> placed = shownItems();
    const auto rects = rt::flow::layout(preferredSizes(placed), {rect.width(), rect.height()});
    for (std::size_t i = 0; i < placed.size(); ++i) placeItem(*placed[i], rect, rects[i]);
}

}  // namespace rtqt
