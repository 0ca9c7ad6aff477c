// KR_Loader and the runtime entry slots it fills (see runtime/KrProtocol.h).

#include <string>

#include "runtime/KrProtocol.h"
#include "runtime/LoaderBlock.h"
#include "runtime/Toolkit.h"
#include "runtime/win32/Core.h"
#include "runtime/win32/Win32Runtime.h"
#include "runtime/win32/WindowShells.h"

namespace rtwin {

namespace {

void initRuntime(kr::Word) {
    rt::Toolkit& toolkit = startToolkit();
    const auto bind = reinterpret_cast<kr::BindToolkitFn>(kr::acceptedComponent().descriptor[kr::BindToolkit]);
    if (bind != nullptr) bind(&toolkit);
}

// main, then the event loop until the program ends (a frame's close control
// ends the process from inside the loop).
void runProgram() {
    kr::acceptedComponent().main({});
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) dispatchMessage(message);
}

}  // namespace

std::optional<std::string> runtimeOption(const std::string& name) { return kr::acceptedOption(name); }

}  // namespace rtwin

extern "C" RTWIN_API int KR_LOADER_CALL KR_Loader(kr::Word, kr::Word* descriptor) {
    using namespace rtwin;
    if (!kr::acceptComponent(descriptor)) return 0;
    kr::fillSlots(descriptor, &initRuntime, &runProgram);
    return 1;
}
