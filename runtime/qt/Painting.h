#pragma once

// Painting through the toolkit interface: the widget of a plain panel hands
// each paint event to the panel's painter with a Graphics over QPainter.

#include <QWidget>

#include "runtime/Graphics.h"

namespace rtqt {

class PaintedWidget final : public QWidget {
public:
    void setPainter(rt::Painter* painter) { painter_ = painter; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    rt::Painter* painter_ = nullptr;
};

}  // namespace rtqt
