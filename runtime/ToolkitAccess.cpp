#include <cstdio>
#include <cstdlib>

#include "runtime/Toolkit.h"

namespace rt {

namespace {
Toolkit* boundToolkit = nullptr;
}

Toolkit& toolkit() {
    if (boundToolkit == nullptr) {
        std::fputs("No toolkit is bound: the runtime was not started.\n", stderr);
        std::abort();
    }
    return *boundToolkit;
}

Platform& platform() { return toolkit().platform(); }

void bindToolkit(Toolkit* toolkit) { boundToolkit = toolkit; }

}  // namespace rt
