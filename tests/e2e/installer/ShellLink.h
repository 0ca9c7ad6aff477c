#pragma once

// The parts of a Windows shortcut (.lnk, the Shell Link binary format) a
// test looks at: the local path of its target, its working directory and
// its icon location. Texts are given as ASCII (UTF-16 texts narrowed).

#include <string>

namespace e2e {

struct ShellLink {
    std::string target, workingDirectory, iconLocation;
};

// The shortcut in bytes; empty fields for what it does not hold or a file
// that is not a shortcut.
ShellLink readShellLink(const std::string& bytes);

}  // namespace e2e
