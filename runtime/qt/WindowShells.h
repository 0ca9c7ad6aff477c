#pragma once

class QWidget;

namespace rt {
class Window;
}

namespace rtqt {

// The top-level widget of a window made by this toolkit, and back.
QWidget* windowWidget(const rt::Window& window);
rt::Window* windowOfWidget(const QWidget* widget);

}  // namespace rtqt
