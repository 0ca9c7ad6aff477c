#include "startup/rtLookup.h"

#include "startup/SplashCPB.h"

namespace rt_lookup {

namespace {

constexpr char InstallationMissing[] =
    "Fatal error: Tarnwick KOV %d.%02d installation cannot be found.\r\n\r\nHOW TO FIX:\r\n\r\n"
    "If you port compiled executables to other machines, please, use the Ferrolink\r\n"
    "deployment wizard (see KOV User's Guide, \"Deployment Automation\" for details).\r\n\r\n"
    "Otherwise, include the KOV/bin directory into PATH or reinstall KOV.\r\n";
constexpr char ProfileMissing[] =
    "Fatal error: \"%s\" requires KOV profile \"%s\" that cannot be found (\"%s\" does not "
    "exist).\r\n\r\nHOW TO FIX: run KOV Setup to create a new KOV profile and then recompile the "
    "application.\r\n";
constexpr char ProfileDamaged[] =
    "Fatal error: \"%s\" requires an outdated or damaged KOV profile \"%s\" (located at "
    "\"%s\").\r\n\r\nHOW TO FIX: run KOV Setup and repair KOV profile \"%s\".\r\n";
constexpr char UnableToLoad[] = "Unable to load %s (referenced from %s)\r\n";

// The directories searched for the installation marker, built once. The
// system's PATH is read exactly (as UTF-16 on Windows), so it needs no
// second reading in another code page.
struct SearchList {
    bool built = false;
    char* entries[3] = {};
    char separators[3] = {};
};
SearchList searchList;

char* directoryOf(bool (*filePath)(os::Module, str::Path&), os::Module module) {
    str::Path path;
    if (!filePath(module, path)) return nullptr;
    str::removeLastComponent(path, os::Separator);
    return path[0] == '\0' ? nullptr : str::duplicate(path);
}

bool executablePath(os::Module, str::Path& path) { return os::executableFilePath(path); }

void buildSearchList(os::Module module) {
    if (searchList.built) return;
    searchList.entries[0] = directoryOf(executablePath, module);
    searchList.entries[1] = directoryOf(os::moduleFilePath, module);
    searchList.entries[2] = os::environment("PATH");
    searchList.separators[2] = os::ListSeparator;
    searchList.built = true;
}

struct Lookup {
    str::Path path = {};
    char* kernelName = nullptr;        // upper case: matched against map keys
    const char* kernelFile = nullptr;  // as the block spells it: the file name
    bool mapPresent = false;
    const char* kernelMapValue = nullptr;
    const char* profileName = nullptr;
    const std::uint8_t* block = nullptr;
};

void takeKernelName(Lookup& lookup, const char* value) {
    lookup.kernelFile = value;
    lookup.kernelName = str::duplicate(value);
    str::upperAscii(lookup.kernelName);
}

void takeMapEntry(os::Module module, Lookup& lookup, const char* value) {
    lookup.mapPresent = true;
    if (lookup.kernelName == nullptr || !str::startsWith(value, lookup.kernelName)) return;
    const char* mapValue = value + str::length(lookup.kernelName);
    if (*mapValue != '\0') ++mapValue;  // the "=" (whatever character stands there)
    cpb::expandMapValue(module, mapValue, lookup.path);
    lookup.kernelMapValue = mapValue;
}

void walkBlock(os::Module module, Lookup& lookup) {
    const os::Block block = cpb::findValidBlock(module);
    lookup.block = block.data;
    cpb::Walk walk(block.data, block.size);
    for (cpb::Record r; walk.next(r);) {
        switch (r.tag) {
        case cpb::EventSource: os::setEventSource(cpb::text(r)); break;
        case cpb::KernelName: takeKernelName(lookup, cpb::text(r)); break;
        case cpb::DllMap: takeMapEntry(module, lookup, cpb::text(r)); break;
        case cpb::ProfileName: lookup.profileName = cpb::text(r); break;
        default: break;
        }
    }
}

void locateThroughProfile(os::Module module, Lookup& lookup) {
    const std::uint32_t major = cpb::word(lookup.block + 4 * cpb::WordMajor);
    const std::uint32_t minor = cpb::word(lookup.block + 4 * cpb::WordMinor);
    str::Path marker;
    if (!findInstallationMarker(module, major, minor, marker)) os::fatalf(InstallationMissing, major, minor);
    str::Path profile, component;
    profileDirectory(marker, lookup.profileName, profile);
    os::moduleFilePath(module, component);
    if (!os::exists(profile)) os::fatalf(ProfileMissing, component, lookup.profileName, profile);
    cpb::joinPath(lookup.path, {profile, os::SeparatorText, "jre", os::SeparatorText, "kovrt",
                                os::SeparatorText, lookup.kernelFile});
    if (!os::exists(lookup.path)) {
        os::fatalf(ProfileDamaged, component, lookup.profileName, profile, lookup.profileName);
    }
}

void choosePath(os::Module module, Lookup& lookup) {
    str::Path component;
    if (lookup.mapPresent && lookup.kernelMapValue == nullptr) {
        os::moduleFilePath(module, component);
        os::fatalf(UnableToLoad, lookup.kernelName, component);
    }
    if (lookup.mapPresent) return;
    if (lookup.profileName == nullptr) os::fatal("Invalid CPB: KOV profile name is not defined\n");
    locateThroughProfile(module, lookup);
}

os::Library loadKernel(os::Module module, Lookup& lookup) {
    os::Library kernel = os::loadedLibrary(lookup.kernelName);
    if (kernel != nullptr) return kernel;
    choosePath(module, lookup);
    kernel = os::loadLibrary(lookup.path);
    if (kernel == nullptr) {
        str::Path component;
        os::moduleFilePath(module, component);
        os::fatalf(UnableToLoad, lookup.path, component);
    }
    return kernel;
}

}  // namespace

void profileDirectory(const str::Path& marker, const char* profileName, str::Path& directory) {
    str::Path root;
    str::copy(root, sizeof root, marker);
    str::removeLastComponent(root, os::Separator);
    str::removeLastComponent(root, os::Separator);
    cpb::joinPath(directory, {root, os::SeparatorText, "profile", profileName});
}

bool searchDirectoryList(const char* list, char separator, const char* name, str::Path& result) {
    if (list == nullptr) return false;
    const std::size_t nameLength = str::length(name);
    for (const char* element = list;;) {
        const long end = str::indexOf(element, separator);
        const std::size_t length = end < 0 ? str::length(element) : static_cast<std::size_t>(end);
        str::Path candidate = "";
        if (os::isAbsolute(element, length) && length + nameLength + 1 < str::PathCapacity) {
            str::appendPart(candidate, sizeof candidate, element, length);
            if (element[length - 1] != os::Separator) {
                str::append(candidate, sizeof candidate, os::SeparatorText);
            }
            str::append(candidate, sizeof candidate, name);
            if (os::exists(candidate)) return str::copy(result, sizeof result, candidate);
        }
        if (end < 0) return false;
        element += end + 1;
    }
}

bool findInstallationMarker(os::Module module, std::uint32_t major, std::uint32_t minor,
                            str::Path& marker) {
    os::Message name;
    os::format(name, "kov%d%02d.home", major, minor);
    buildSearchList(module);
    for (std::size_t i = 0; i < 3; ++i) {
        if (searchDirectoryList(searchList.entries[i], searchList.separators[i], name, marker)) return true;
    }
    return false;
}

kr::LoaderFn findLoaderEntry(os::Module module) {
    Lookup lookup;
    walkBlock(module, lookup);
    if (lookup.kernelName == nullptr) {
        void* own = os::findModuleSymbol(module, kr::LoaderEntryName);
        if (own == nullptr) os::fatal("Invalid CPB: RT component not defined\n");
        return reinterpret_cast<kr::LoaderFn>(own);
    }
    os::Library kernel = loadKernel(module, lookup);
    void* entry = os::findSymbol(kernel, kr::LoaderEntryName);
    if (entry == nullptr) os::fatal("Unable to find loader entry");
    return reinterpret_cast<kr::LoaderFn>(entry);
}

}  // namespace rt_lookup
