#pragma once

#include "runtime/Applet.h"

namespace runapplet {

// The applet classes runapplet can start, by name; ended by a null name.
extern const rt::AppletClass appletClasses[];

}  // namespace runapplet
