#pragma once

#include <QLayout>
#include <array>

#include "runtime/BorderGeometry.h"

namespace rtqt {

// The border arrangement of a content pane: places the container's widgets
// where rt::border::layout says.
class BorderLayout final : public QLayout {
public:
    explicit BorderLayout(QWidget* parent);
    ~BorderLayout() override;

    // Puts the widget at the place. The widget that held it is hidden and
    // leaves the arrangement; a widget put again moves.
    void put(QWidget* widget, rt::BorderPlace place);

    // An item added without a place goes to the centre.
    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;
    Qt::Orientations expandingDirections() const override { return Qt::Horizontal | Qt::Vertical; }

private:
    // The slot of the index-th item, counting held places only.
    std::size_t slotOf(int index) const;
    rt::border::Items geometryItems() const;

    std::array<QLayoutItem*, 5> items_{};
    rt::border::Occupants<QWidget> holders_;
};

}  // namespace rtqt
