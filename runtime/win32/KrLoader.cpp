// KR_Loader and the runtime entry slots it fills (see runtime/KrProtocol.h).

#include <map>
#include <string>

#include "runtime/KrProtocol.h"
#include "runtime/LoaderBlock.h"
#include "runtime/Toolkit.h"
#include "runtime/win32/Core.h"
#include "runtime/win32/Win32Runtime.h"
#include "runtime/win32/WindowShells.h"

namespace rtwin {

namespace {

struct Loaded {
    kr::Word* descriptor = nullptr;
    kr::MainFn main = nullptr;
    std::map<std::string, std::string> options;
};

Loaded loaded;

void initRuntime(kr::Word) {
    rt::Toolkit& toolkit = startToolkit();
    if (auto bind = reinterpret_cast<kr::BindToolkitFn>(loaded.descriptor[kr::BindToolkit])) bind(&toolkit);
}

// main, then the event loop until the program ends (a frame's close control
// ends the process from inside the loop).
void runProgram() {
    loaded.main({});
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) dispatchMessage(message);
}

}  // namespace

std::optional<std::string> runtimeOption(const std::string& name) {
    auto found = loaded.options.find(name);
    if (found == loaded.options.end()) return std::nullopt;
    return found->second;
}

}  // namespace rtwin

extern "C" RTWIN_API int KR_LOADER_CALL KR_Loader(kr::Word, kr::Word* descriptor) {
    using namespace rtwin;
    auto accepted = kr::acceptComponent(descriptor);
    if (!accepted) return 0;
    loaded = {descriptor, accepted->main, std::move(accepted->options)};
    kr::fillSlots(descriptor, &initRuntime, &runProgram);
    return 1;
}
