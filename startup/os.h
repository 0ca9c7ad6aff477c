#pragma once

// The stub's view of the operating system. os_posix.cpp and os_win32.cpp
// implement the platform calls; os.cpp holds the message output and the
// fatal routine built on them, which are the same everywhere.

#include <cstddef>
#include <cstdint>

#include "startup/strUtil.h"

namespace os {

// A module: the load base of an image in this process (the executable or a
// library). Never 0 for a module that is present.
using Module = std::uintptr_t;
// A loaded library, as the loader hands it out.
using Library = void*;

// Directory separator, shared-library suffix and separator of the PATH
// entries of this platform; every path the stub builds takes them from here.
#ifdef _WIN32
inline constexpr char Separator = '\\';
inline constexpr char SeparatorText[] = "\\";
inline constexpr char LibrarySuffix[] = ".dll";
inline constexpr char ListSeparator = ';';
#else
inline constexpr char Separator = '/';
inline constexpr char SeparatorText[] = "/";
inline constexpr char LibrarySuffix[] = ".so";
inline constexpr char ListSeparator = ':';
#endif

// True when the first length characters of path name a directory
// independently of the current directory (and, on Windows, of the current
// drive): "/dir" here; "C:\dir", "C:/dir" or "\\server\share" on Windows.
#ifdef _WIN32
inline bool isAbsolute(const char* path, std::size_t length) {
    auto separator = [](char c) { return c == '\\' || c == '/'; };
    const bool drive = length >= 3 && ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z') && path[1] == ':' &&
                       separator(path[2]);
    return drive || (length >= 2 && separator(path[0]) && separator(path[1]));
}
#else
inline bool isAbsolute(const char* path, std::size_t length) { return length > 0 && path[0] == '/'; }
#endif

Module ownModule();

// The full file path of a module. False, with an empty path, when it cannot
// be obtained; a path that does not fit is fatal.
bool moduleFilePath(Module module, str::Path& path);

// Full path of the process's executable file, the same way.
bool executableFilePath(str::Path& path);

// The configuration block of a module: the mapped section ".config".
// Failures are fatal with the image messages.
struct Block {
    const std::uint8_t* data;
    std::size_t size;
};
Block findConfigSection(Module module);

Library loadLibrary(const char* path);
// The library already loaded under that file name (any directory, letters
// compared without case), or null; loads nothing.
Library loadedLibrary(const char* name);
void* findSymbol(Library library, const char* name);
// A symbol exported by the module itself, or null.
void* findModuleSymbol(Module module, const char* name);

// True when a file or directory of that path exists.
bool exists(const char* path);

// Heap copy of an environment variable, or null when it is not set.
char* environment(const char* name);

// Process heap; a failed allocation is fatal. Nothing is ever released.
void* allocate(std::size_t size);

// Shows a message (standard error, or the platform's error box).
void showMessage(const char* text);
// Copies a message to the system's event log under the source name.
void reportEvent(const char* source, const char* text);

[[noreturn]] void exitProcess(int status);

// --- os.cpp ---------------------------------------------------------------

// The event source name: set by the loader lookup from the block (tag 11);
// messages go to the event log from then on.
void setEventSource(const char* name);

// A routine run once, before the first message is shown: the splash step
// sets one that takes the splash off the screen, so that it never hides a
// fatal message. Null for none.
void setBeforeMessage(void (*routine)());

// Shows text and copies it to the event log when a source is set; an empty
// text shows and logs nothing.
void messageOutput(const char* text);

// messageOutput(text) unless text is null, then exit status 1.
[[noreturn]] void fatal(const char* text);

// Formats a message: %s, %d, %02d and %% as str::format does. On Windows
// through wvsprintfA, looked up in USER32 when used, as the system formats
// messages; elsewhere (and should that lookup fail) through str::formatList.
using Message = char[str::MessageCapacity];
void formatList(Message& message, const char* format, const str::Argument* arguments, std::size_t count);

template <typename... Args>
void format(Message& message, const char* fmt, const Args&... args) {
    const str::Argument list[] = {str::Argument(args)..., str::Argument(nullptr)};
    formatList(message, fmt, list, sizeof...(Args));
}

// Formats the message, then fatal.
template <typename... Args>
[[noreturn]] void fatalf(const char* fmt, const Args&... args) {
    Message message;
    format(message, fmt, args...);
    fatal(message);
}

}  // namespace os
