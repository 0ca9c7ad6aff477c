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
    Word* descriptor = nullptr;
    MainFn main = nullptr;
    // "-Dname[:value]" items of tag 5: name -> value ("" for a bare name).
    std::map<std::string, std::string> options;
};

// Checks the descriptor and its block and finds the main class; the
// component is kept as the accepted one. On refusal the reason is printed
// on standard error ("KOV runtime: ...") and false returned.
bool acceptComponent(Word* descriptor);
// The component accepted last (empty before any).
const Accepted& acceptedComponent();
// A runtime option of the accepted component: its value, or nothing.
std::optional<std::string> acceptedOption(const std::string& name);

// Fills the two slots of entry table 1 that the stub calls.
void fillSlots(Word* descriptor, InitFn init, RunFn run);

}  // namespace kr
