#pragma once

#include <QLayout>
#include <QList>

#include "runtime/Geometry.h"

namespace rtqt {

// A layout's view of an item: its preferred size, never below its minimum.
rt::Size preferredSizeOf(const QLayoutItem& item);
// Sets an item to a rectangle given relative to the area's top-left corner.
void placeItem(QLayoutItem& item, const QRect& area, const rt::Rect& r);

// A layout over a list of items it owns, in the order added; the rule that
// places them is the subclass's.
class ItemListLayout : public QLayout {
public:
    explicit ItemListLayout(QWidget* parent);
    ~ItemListLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(items_.size()); }
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return Qt::Horizontal | Qt::Vertical; }

protected:
    // The items that take part (hidden widgets do not).
    std::vector<QLayoutItem*> shownItems() const;

private:
    QList<QLayoutItem*> items_;
};

}  // namespace rtqt
