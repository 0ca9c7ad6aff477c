#pragma once

// The program's icon (the gallows drawing of resources/icons, built into the
// runtime component in every theme size) on all its windows.

class QWidget;

namespace rtqt {

// Shows a top-level window with the program's icon. The first window shown
// takes the icon itself, and the application takes it only once that window
// exists: set on the application before, Qt converted all nine sizes for
// the first window twice (at its creation and again for the widget), the
// largest cost of the first window beyond a bare Qt program's. Every later
// window takes the application's icon.
void showWithProgramIcon(QWidget& window);

// From now on every window takes the program's icon from the application
// (for windows not shown through showWithProgramIcon, such as a file
// chooser whose owner was never shown).
void useProgramIcon();

}  // namespace rtqt
