#pragma once

#include "runtime/Component.h"

namespace rtqt {

// A new content pane in the border arrangement, for windows and applets.
rt::Container* makeContentPane();

}  // namespace rtqt
