#pragma once

#include "runtime/qt/ItemListLayout.h"

namespace rtqt {

// The flow arrangement of a plain panel: places the container's widgets
// where rt::flow::layout says.
class FlowLayout final : public ItemListLayout {
public:
    using ItemListLayout::ItemListLayout;

    QSize sizeHint() const override;
    QSize minimumSize() const override { return sizeHint(); }
    void setGeometry(const QRect& rect) override;
};

}  // namespace rtqt
