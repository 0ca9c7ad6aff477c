// Process entry of the executable: splash, runtime lookup and loader call,
// then the two runtime entries; the runtime runs the program inside them.

#include "startup/SplashCPB.h"
#include "startup/os.h"
#include "startup/rtLookup.h"
#include "startup/splash.h"
#include "support/Support.h"

namespace {

// Fills the descriptor words the stub owns, finds the runtime and calls its
// loader; true when the loader accepted the component.
bool initialiseComponent(os::Module module, kr::Word reason, kr::Word argument) {
    support::descriptor[kr::Module] = module;
    support::descriptor[kr::Reason] = reason;
    support::descriptor[kr::InitArgument] = argument;
    const kr::LoaderFn loader = rt_lookup::findLoaderEntry(module);
    return loader(support::descriptor[kr::Module], support::descriptor) != 0;
}

// A slot of entry table 1; a runtime that accepted the component but left
// it empty is reported instead of being jumped through.
kr::Word runtimeSlot(std::size_t slot) {
    const kr::Word entry = support::entryTable1[kr::HeaderWords + slot];
    if (entry == 0) os::fatalf("Invalid runtime: entry slot %d is not set", static_cast<int>(slot));
    return entry;
}

}  // namespace

int main() {
    const os::Module module = os::ownModule();
    splash::run(module, support::splashImage);
    if (!initialiseComponent(module, 1, module)) os::exitProcess(1);
    const auto init = reinterpret_cast<kr::InitFn>(runtimeSlot(kr::InitSlot));
    const auto run = reinterpret_cast<kr::RunFn>(runtimeSlot(kr::RunSlot));
    init(0);
    run();
    os::exitProcess(0);
}
