#include "runtime/qt/GridBagLayout.h"

#include "runtime/qt/Core.h"

namespace rtqt {

void GridBagLayout::setConstraints(rt::Component& component, const rt::CellConstraints& constraints) {
    constraints_[widgetOfComponent(component)] = constraints;
    invalidate();
}

rt::CellConstraints GridBagLayout::constraintsOf(const rt::Component& component) const {
    auto found = constraints_.find(widgetOfComponent(component));
    return found != constraints_.end() ? found->second : rt::CellConstraints{};
}

QLayoutItem* GridBagLayout::takeAt(int index) {
    QLayoutItem* item = ItemListLayout::takeAt(index);
    if (item != nullptr) constraints_.erase(item->widget());
    return item;
}

std::vector<rt::gridbag::Item> GridBagLayout::geometryItems(std::vector<QLayoutItem*>& placed) const {
    std::vector<rt::gridbag::Item> result;
    for (QLayoutItem* item : shownItems()) {
        auto found = constraints_.find(item->widget());
        const rt::CellConstraints constraints = found != constraints_.end() ? found->second : rt::CellConstraints{};
        result.push_back({constraints, preferredSizeOf(*item), fromQ(item->minimumSize())});
        placed.push_back(item);
    }
    return result;
}

QSize GridBagLayout::withMargins(rt::Size size) const {
    const QMargins m = contentsMargins();
    return {size.width + m.left() + m.right(), size.height + m.top() + m.bottom()};
}

QSize GridBagLayout::sizeHint() const {
    std::vector<QLayoutItem*> placed;
    return withMargins(rt::gridbag::preferredLayoutSize(geometryItems(placed)));
}

QSize GridBagLayout::minimumSize() const {
    std::vector<QLayoutItem*> placed;
    return withMargins(rt::gridbag::minimumLayoutSize(geometryItems(placed)));
}

void GridBagLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    const QRect area = contentsRect();
    std::vector<QLayoutItem*> placed;
    const auto rects = rt::gridbag::layout(geometryItems(placed), {area.width(), area.height()});
    for (size_t i = 0; i < placed.size() && i < rects.size(); ++i) placeItem(*placed[i], area, rects[i]);
}

}  // namespace rtqt
