#pragma once

// The program's icon (the gallows drawing of resources/icons, built into the
// runtime component in every theme size) as the icon of all its windows.

namespace rtqt {

void setProgramIcon();

}  // namespace rtqt
