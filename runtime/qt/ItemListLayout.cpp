#include "runtime/qt/ItemListLayout.h"

namespace rtqt {

rt::Size preferredSizeOf(const QLayoutItem& item) {
    const QSize size = item.sizeHint().expandedTo(item.minimumSize());
    return {size.width(), size.height()};
}

void placeItem(QLayoutItem& item, const QRect& area, const rt::Rect& r) {
    item.setGeometry(QRect(area.x() + r.x, area.y() + r.y, r.width, r.height));
}

ItemListLayout::ItemListLayout(QWidget* parent) : QLayout(parent) {
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
}

ItemListLayout::~ItemListLayout() {
    while (!items_.isEmpty()) delete items_.takeFirst();
}

void ItemListLayout::addItem(QLayoutItem* item) {
    items_.append(item);
    invalidate();
}

QLayoutItem* ItemListLayout::itemAt(int index) const {
    return index >= 0 && index < items_.size() ? items_.at(index) : nullptr;
}

QLayoutItem* ItemListLayout::takeAt(int index) {
    if (index < 0 || index >= items_.size()) return nullptr;
    invalidate();
    return items_.takeAt(index);
}

std::vector<QLayoutItem*> ItemListLayout::shownItems() const {
    std::vector<QLayoutItem*> result;
    for (QLayoutItem* item : items_)
        if (!item->isEmpty()) result.push_back(item);
    return result;
}

}  // namespace rtqt
