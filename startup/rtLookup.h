#pragma once

// Locating and loading the runtime component for a component module: the
// kernel library from the block's DLL map or from an installed profile, the
// installation marker search, and the loader entry.

#include <cstdint>

#include "runtime/KrProtocol.h"
#include "startup/os.h"
#include "startup/strUtil.h"

namespace rt_lookup {

// KR_Loader of the runtime for module; every failure is fatal.
kr::LoaderFn findLoaderEntry(os::Module module);

// Searches the executable's directory, the module's directory and PATH, in
// that order, for "kov<major><minor, two digits>.home"; true with its full
// path in marker when found.
bool findInstallationMarker(os::Module module, std::uint32_t major, std::uint32_t minor,
                            str::Path& marker);

// The profile directory of the installation whose marker file is marker:
// the installation root (the marker's directory's parent) + "profile" + name.
void profileDirectory(const str::Path& marker, const char* profileName, str::Path& directory);

// Searches the directories of a list (separated by separator) for a file
// name. Elements too long to join with the name are skipped, and so are
// empty and relative ones: they would make the search look in the current
// directory, where anyone could have planted a marker that steers which
// profile and runtime are loaded.
bool searchDirectoryList(const char* list, char separator, const char* name, str::Path& result);

}  // namespace rt_lookup
