#pragma once

#include "runtime/Text.h"

namespace rt {

// File paths as the platform writes them: '/' separates folders, and on
// Windows '\' does too.

// The folder part of path: everything before its last separator (a root
// such as "/" or "C:\" keeps it); empty when path names no folder.
String parentFolder(StringView path);

// folder and name joined with the platform's separator.
String joinPath(StringView folder, StringView name);

}  // namespace rt
