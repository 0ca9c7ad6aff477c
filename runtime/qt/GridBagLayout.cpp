#include "runtime/qt/GridBagLayout.h"

#include "runtime/qt/Core.h"

namespace rtqt {

GridBagLayout::GridBagLayout(QWidget* parent) : QLayout(parent) {
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
}

GridBagLayout::~GridBagLayout() {
    while (!items_.isEmpty()) delete items_.takeFirst();
}

void GridBagLayout::setConstraints(rt::Component& component, const rt::CellConstraints& constraints) {
    constraints_[widgetOfComponent(component)] = constraints;
    invalidate();
}

rt::CellConstraints GridBagLayout::constraintsOf(const rt::Component& component) const {
    auto found = constraints_.find(widgetOfComponent(component));
    return found != constraints_.end() ? found->second : rt::CellConstraints{};
}

void GridBagLayout::addItem(QLayoutItem* item) {
    items_.append(item);
    invalidate();
}

QLayoutItem* GridBagLayout::itemAt(int index) const {
    return index >= 0 && index < items_.size() ? items_.at(index) : nullptr;
}

QLayoutItem* GridBagLayout::takeAt(int index) {
    if (index < 0 || index >= items_.size()) return nullptr;
    QLayoutItem* item = items_.takeAt(index);
    constraints_.erase(item->widget());
    invalidate();
    return item;
}

std::vector<rt::gridbag::Item> GridBagLayout::geometryItems(std::vector<QLayoutItem*>& placed) const {
    std::vector<rt::gridbag::Item> result;
    for (QLayoutItem* item : items_) {
        if (item->isEmpty()) continue;
        auto found = constraints_.find(item->widget());
        const rt::CellConstraints constraints = found != constraints_.end() ? found->second : rt::CellConstraints{};
        const QSize minimum = item->minimumSize();
        const QSize preferred = item->sizeHint().expandedTo(minimum);
        result.push_back({constraints, fromQ(preferred), fromQ(minimum)});
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
    for (size_t i = 0; i < placed.size() && i < rects.size(); ++i) {
        const rt::Rect& r = rects[i];
        placed[i]->setGeometry(QRect(area.x() + r.x, area.y() + r.y, r.width, r.height));
    }
}

}  // namespace rtqt
