#include "tools/runapplet/AppletClasses.h"

#include "forms/GBApplet.h"
#include "tools/runapplet/Calculator.h"

namespace runapplet {

// Add an applet class here to run it by name.
const rt::AppletClass appletClasses[] = {
    {"Calculator", &forms::createApplet<Calculator>},
    {nullptr, nullptr},
};

}  // namespace runapplet
