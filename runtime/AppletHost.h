#pragma once

#include "runtime/Toolkit.h"

namespace rt {

// Toolkit::hostApplet on the toolkit's own frames, for every toolkit.
Frame* hostApplet(Toolkit& toolkit, const AppletClass* table, const String& name, int width, int height);

}  // namespace rt
