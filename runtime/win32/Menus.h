#pragma once

#include "runtime/win32/Core.h"

namespace rt {
class MenuBar;
class MenuItem;
}  // namespace rt

namespace rtwin {

// The menu handle of a bar; the bar learns the frame it is installed on, so
// that it redraws when menus are added later (null while the frame's window
// is not made yet: the bar is the frame's all the same).
HMENU installMenuBar(rt::MenuBar& bar, HWND frame);
// A menu command arrived at a frame: the item with that id reports it.
bool menuCommand(UINT id);
// Chooses the item as the user does: a command to its frame (when it sits
// in an installed bar and is enabled), else its listeners directly.
void chooseMenuItem(rt::MenuItem& item);

}  // namespace rtwin
