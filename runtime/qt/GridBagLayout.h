#pragma once

#include <QLayout>
#include <QList>
#include <map>

#include "runtime/Component.h"
#include "runtime/GridBagGeometry.h"

namespace rtqt {

// The grid-bag layout manager of one container: keeps a copy of the
// constraints registered for each component and places the container's
// widgets where rt::gridbag::layout says.
class GridBagLayout final : public QLayout, public rt::GridBag {
public:
    explicit GridBagLayout(QWidget* parent);
    ~GridBagLayout() override;

    void setConstraints(rt::Component& component, const rt::CellConstraints& constraints) override;
    rt::CellConstraints constraintsOf(const rt::Component& component) const override;

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(items_.size()); }
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;
    Qt::Orientations expandingDirections() const override { return Qt::Horizontal | Qt::Vertical; }

private:
    // The items that take part (hidden widgets do not), with their sizes.
    std::vector<rt::gridbag::Item> geometryItems(std::vector<QLayoutItem*>& placed) const;
    QSize withMargins(rt::Size size) const;

    QList<QLayoutItem*> items_;
    std::map<const QWidget*, rt::CellConstraints> constraints_;
};

}  // namespace rtqt
