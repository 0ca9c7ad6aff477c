#include "support/Support.h"

#if KOV_HAVE_APP
#include "app/HangMan.h"
#endif

namespace support {

// The classes the runtime may start by the name in the block (tag 6).
const kr::MainClass mainClasses[] = {
#if KOV_HAVE_APP
    {"HangMan", &app::HangMan::main},
#endif
    {nullptr, nullptr},
};

}  // namespace support
