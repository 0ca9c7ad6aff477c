#pragma once

class QAction;
class QMenuBar;

namespace rt {
class MenuBar;
class MenuItem;
}  // namespace rt

namespace rtqt {

QMenuBar* menuBarWidget(const rt::MenuBar& bar);
QAction* actionOf(const rt::MenuItem& item);

}  // namespace rtqt
