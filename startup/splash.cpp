#include "startup/splash.h"

#include "splash/SplashProtocol.h"
#include "startup/SplashCPB.h"
#include "startup/rtLookup.h"

namespace splash {

namespace {

// The profile's runtime directory of an installation found through its
// marker, or empty when there is none (or no profile name to build it with).
void installedRuntimeDirectory(os::Module module, const os::Block& block, const char* profileName,
                               str::Path& directory) {
    str::Path marker;
    directory[0] = '\0';
    if (profileName == nullptr ||
        !rt_lookup::findInstallationMarker(module, cpb::word(block.data + 4 * cpb::WordMajor),
                                           cpb::word(block.data + 4 * cpb::WordMinor), marker)) {
        return;
    }
    rt_lookup::profileDirectory(marker, profileName, directory);
    cpb::joinPath(directory, {directory, os::SeparatorText, "jre"});
}

void chooseDirectory(os::Module module, const os::Block& block, const cpb::SplashSettings& settings,
                     str::Path& directory) {
    cpb::joinPath(directory, {settings.runtimeDirectory});
    if (directory[0] == '\0') installedRuntimeDirectory(module, block, settings.profileName, directory);
    if (directory[0] == '\0') return;
    cpb::joinPath(directory, {directory, os::SeparatorText, "bin"});
    if (!os::exists(directory)) directory[0] = '\0';
}

void showImage(const str::Path& directory, const cpb::SplashSettings& settings,
               const std::uint8_t* image) {
    str::Path path;
    if (directory[0] == '\0') {
        cpb::joinPath(path, {splash_protocol::LibraryStem, os::LibrarySuffix});
    } else {
        cpb::joinPath(path, {directory, os::SeparatorText, splash_protocol::LibraryStem, os::LibrarySuffix});
    }
    os::Library library = os::loadLibrary(path);
    if (library == nullptr) return;
    auto initEx = reinterpret_cast<splash_protocol::InitExFn>(os::findSymbol(library, splash_protocol::InitExName));
    auto loadMemory =
        reinterpret_cast<splash_protocol::LoadMemoryFn>(os::findSymbol(library, splash_protocol::LoadMemoryName));
    if (initEx == nullptr || loadMemory == nullptr) return;
    initEx(settings.value, settings.flag1, settings.flag2, settings.data);
    loadMemory(image + 4, cpb::word(image));
    os::setBeforeMessage(
        reinterpret_cast<splash_protocol::CloseNowFn>(os::findSymbol(library, splash_protocol::CloseNowName)));
}

}  // namespace

void run(os::Module module, const std::uint8_t* image) {
    const os::Block block = cpb::findValidBlock(module);
    const cpb::SplashSettings settings = cpb::scanSplashSettings(module, block);
    if (settings.enabled == 0) return;
    str::Path directory;
    chooseDirectory(module, block, settings, directory);
    if (image == nullptr || cpb::word(image) == 0) return;
    showImage(directory, settings, image);
}

}  // namespace splash
