#pragma once

// What KR_Loader reads from the component it is handed, shared by the
// runtime components of every toolkit: the descriptor's checks, the main
// class named in the configuration block and the runtime options.

#include <map>
#include <optional>
#include <string>

#include "runtime/KrProtocol.h"

namespace kr {

struct Accepted {
    MainFn main = nullptr;
    // "-Dname[:value]" items of tag 5: name -> value ("" for a bare name).
    std::map<std::string, std::string> options;
};

// Checks the descriptor and its block and finds the main class. On refusal
// the reason is printed on standard error ("KOV runtime: ...") and nothing
// is returned.
std::optional<Accepted> acceptComponent(const Word* descriptor);

// Fills the two slots of entry table 1 that the stub calls.
void fillSlots(Word* descriptor, InitFn init, RunFn run);

}  // namespace kr
