#pragma once

#include <map>

#include "runtime/Component.h"
#include "runtime/GridBagGeometry.h"
#include "runtime/qt/ItemListLayout.h"

namespace rtqt {

// The grid-bag layout manager of one container: keeps a copy of the
// constraints registered for each component and places the container's
// widgets where rt::gridbag::layout says.
class GridBagLayout final : public ItemListLayout, public rt::GridBag {
public:
    using ItemListLayout::ItemListLayout;

    void setConstraints(rt::Component& component, const rt::CellConstraints& constraints) override;
    rt::CellConstraints constraintsOf(const rt::Component& component) const override;

    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect& rect) override;

private:
    // The items that take part (hidden widgets do not), with their sizes.
    std::vector<rt::gridbag::Item> geometryItems(std::vector<QLayoutItem*>& placed) const;
    QSize withMargins(rt::Size size) const;

    std::map<const QWidget*, rt::CellConstraints> constraints_;
};

}  // namespace rtqt
