#include "runtime/qt/BorderLayout.h"

#include <QWidget>
#include <algorithm>
#include <utility>

#include "runtime/qt/ItemListLayout.h"

namespace rtqt {

BorderLayout::BorderLayout(QWidget* parent) : QLayout(parent) {
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
}

BorderLayout::~BorderLayout() {
    for (QLayoutItem* item : items_) delete item;
}

void BorderLayout::put(QWidget* widget, rt::BorderPlace place) {
    // Takes the widget out of whatever layout holds it, this one included.
    addChildWidget(widget);
    if (QWidget* displaced = holders_.put(*widget, place)) {
        displaced->hide();
        delete std::exchange(items_[rt::border::placeIndex(place)], nullptr);
    }
    items_[rt::border::placeIndex(place)] = new QWidgetItem(widget);
    invalidate();
}

void BorderLayout::addItem(QLayoutItem* item) {
    QWidget* widget = item->widget();
    delete item;
    if (widget != nullptr) put(widget, rt::BorderPlace::Center);
}

int BorderLayout::count() const {
    return static_cast<int>(std::count_if(items_.begin(), items_.end(), [](QLayoutItem* item) { return item != nullptr; }));
}

std::size_t BorderLayout::slotOf(int index) const {
    for (std::size_t slot = 0; slot < items_.size(); ++slot)
        if (items_[slot] != nullptr && index-- == 0) return slot;
    return items_.size();
}

QLayoutItem* BorderLayout::itemAt(int index) const {
    const std::size_t slot = slotOf(index);
    return slot < items_.size() ? items_[slot] : nullptr;
}

QLayoutItem* BorderLayout::takeAt(int index) {
    const std::size_t slot = slotOf(index);
    if (slot == items_.size()) return nullptr;
    QLayoutItem* item = std::exchange(items_[slot], nullptr);
    holders_.remove(*item->widget());
    invalidate();
    return item;
}

rt::border::Items BorderLayout::geometryItems() const {
    rt::border::Items result;
    for (std::size_t slot = 0; slot < items_.size(); ++slot) {
        const QLayoutItem* item = items_[slot];
        if (item == nullptr || item->isEmpty()) continue;
        const QSize minimum = item->minimumSize();
        result[slot] = rt::border::Item{preferredSizeOf(*item), {minimum.width(), minimum.height()}};
    }
    return result;
}

QSize BorderLayout::sizeHint() const {
    const rt::Size size = rt::border::preferredLayoutSize(geometryItems());
    return {size.width, size.height};
}

QSize BorderLayout::minimumSize() const {
    const rt::Size size = rt::border::minimumLayoutSize(geometryItems());
    return {size.width, size.height};
}

void BorderLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    const rt::border::Items items = geometryItems();
    const rt::border::Rects rects = rt::border::layout(items, {rect.width(), rect.height()});
    for (std::size_t slot = 0; slot < items.size(); ++slot)
        if (items[slot]) placeItem(*items_[slot], rect, rects[slot]);
}

}  // namespace rtqt
