// POSIX implementation of the stub's platform calls (Linux): the executable's
// file through /proc/self/exe, the block through the ELF section headers of
// the module's file, libraries through dlopen, messages on standard error
// (and xmessage when started without a terminal), the event log as syslog.

#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <syslog.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "startup/FileBytes.h"
#include "startup/image.h"
#include "startup/os.h"

extern char** environ;

namespace os {

namespace {

// Reads the executable's path; its length, or -1 when it does not fit in a
// path buffer (the text read so far is left in longPath for the message).
long readExecutablePath(char (&longPath)[4096]) {
    const ssize_t n = readlink("/proc/self/exe", longPath, sizeof longPath - 1);
    longPath[n < 0 ? 0 : n] = '\0';
    if (n < 0) return 0;
    return static_cast<std::size_t>(n) < str::PathCapacity ? n : -1;
}

bool takePath(const char* text, str::Path& path) {
    if (!str::copy(path, sizeof path, text)) fatalf("Path too long: %s", text);
    return path[0] != '\0';
}

// True when [address, address + size) lies inside one loaded segment.
bool containsRange(const dl_phdr_info& info, std::uintptr_t address, std::uintptr_t size) {
    for (int i = 0; i < info.dlpi_phnum; ++i) {
        const ElfW(Phdr)& segment = info.dlpi_phdr[i];
        const std::uintptr_t start = info.dlpi_addr + segment.p_vaddr;
        if (segment.p_type == PT_LOAD && address >= start && address - start < segment.p_memsz &&
            size <= segment.p_memsz - (address - start)) {
            return true;
        }
    }
    return false;
}

// The section's bytes in the module's memory, or null when the section
// header places them outside the module's loaded segments (a hand-edited
// file), so that the block is never read where nothing is mapped.
const std::uint8_t* mappedSection(Module module, const image::Section& section) {
    struct Search {
        Module module;
        const image::Section& section;
        const std::uint8_t* data;
    } search{module, section, nullptr};
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* data) {
            auto* s = static_cast<Search*>(data);
            if (!containsRange(*info, s->module, 1)) return 0;
            const std::uintptr_t address = info->dlpi_addr + s->section.address;
            if (containsRange(*info, address, s->section.size)) {
                s->data = reinterpret_cast<const std::uint8_t*>(address);
            }
            return 1;
        },
        &search);
    return search.data;
}

bool sameIgnoringCase(const char* a, const char* b) {
    auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    for (; *a != '\0' && fold(*a) == fold(*b); ++a, ++b) {
    }
    return *a == '\0' && *b == '\0';
}

// Copies text with every CR LF pair as a single LF (the line end here),
// cut to the buffer.
void plainLines(const char* text, char (&plain)[str::MessageCapacity]) {
    std::size_t n = 0;
    for (; *text != '\0' && n + 1 < sizeof plain; ++text) {
        if (text[0] != '\r' || text[1] != '\n') plain[n++] = *text;
    }
    plain[n] = '\0';
}

void writeAll(int fd, const char* text, std::size_t n) {
    while (n > 0) {
        const ssize_t written = write(fd, text, n);
        if (written <= 0) return;
        text += written;
        n -= static_cast<std::size_t>(written);
    }
}

// An error dialog on the desktop, without linking a GUI library: xmessage,
// when it is installed; waits until the user dismisses it.
void showDialog(const char* text) {
    char title[4096];
    readExecutablePath(title);
    char program[] = "xmessage";
    char center[] = "-center", titleFlag[] = "-title", buttons[] = "-buttons", ok[] = "OK",
         defaultFlag[] = "-default";
    char* argv[] = {program, center, titleFlag, title, buttons, ok, defaultFlag, ok,
                    const_cast<char*>(text), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, program, nullptr, nullptr, argv, environ) != 0) return;
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
}

// A library file that is not a whole ELF image (a copy cut short) is never
// handed to dlopen, which maps its segments past the end of the file and
// dies of SIGBUS when touching them. A bare name is left to dlopen's search.
bool completeImage(const char* path) {
    if (str::indexOf(path, '/') < 0) return true;
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat status;
    const bool complete = fstat(fd, &status) == 0 &&
                          image::elfComplete(image::FileBytes(fd), static_cast<std::uint64_t>(status.st_size));
    close(fd);
    return complete;
}

bool desktopAvailable() {
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && display[0] != '\0';
}

}  // namespace

Module ownModule() {
    Dl_info info{};
    dladdr(reinterpret_cast<void*>(&ownModule), &info);
    return reinterpret_cast<Module>(info.dli_fbase);
}

bool executableFilePath(str::Path& path) {
    char longPath[4096];
    if (readExecutablePath(longPath) < 0) fatalf("Path too long: %s", longPath);
    return takePath(longPath, path);
}

bool moduleFilePath(Module module, str::Path& path) {
    path[0] = '\0';
    if (module == ownModule()) return executableFilePath(path);
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(module), &info) == 0 || info.dli_fname == nullptr) return false;
    return takePath(info.dli_fname, path);
}

// The splash step and the loader lookup both ask for the program's own
// block: its place is read from the file once and kept (a failure is
// fatal). Other modules' are read each time: a module may be unloaded.
Block findConfigSection(Module module) {
    static Block own{};
    const bool isOwn = module == ownModule();
    if (isOwn && own.data != nullptr) return own;
    str::Path path;
    moduleFilePath(module, path);
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) fatalf("Unable to read %s", path);
    image::Section section;
    const image::Status status = image::elfFindSection(image::FileBytes(fd), ".config", section);
    close(fd);
    if (status == image::Status::BadElfHeader) fatal("Invalid ELF header");
    if (status != image::Status::Ok || !section.mapped) fatal("Invalid component: no CPB");
    const std::uint8_t* data = mappedSection(module, section);
    if (data == nullptr) fatal("Invalid component: no CPB");
    const Block block{data, static_cast<std::size_t>(section.size)};
    if (isOwn) own = block;
    return block;
}

// An empty path would give the main program's own handle; like LoadLibraryA,
// it loads nothing. A file that is not a whole image is refused before
// dlopen, which would fault on its missing pages. Functions bind on first
// call: binding every function of the toolkit's libraries up front cost 2 %
// of the time to the first window. The runtime and the splash library are
// linked with -z now, so that their own imports are still bound (or the load
// refused) here, as LoadLibraryA does.
Library loadLibrary(const char* path) {
    if (path[0] == '\0' || !completeImage(path)) return nullptr;
    return dlopen(path, RTLD_LAZY);
}

Library loadedLibrary(const char* name) {
    struct Search {
        const char* name;
        const char* path;
    } search{name, nullptr};
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* data) {
            auto* s = static_cast<Search*>(data);
            const char* path = info->dlpi_name;
            const long slash = str::lastIndexOf(path, '/');
            if (path[0] == '\0' || !sameIgnoringCase(path + slash + 1, s->name)) return 0;
            s->path = path;
            return 1;
        },
        &search);
    return search.path == nullptr ? nullptr : dlopen(search.path, RTLD_NOW | RTLD_NOLOAD);
}

void* findSymbol(Library library, const char* name) { return dlsym(library, name); }

void* findModuleSymbol(Module module, const char* name) {
    str::Path path;
    const bool own = module == ownModule();
    if (!own && !moduleFilePath(module, path)) return nullptr;
    Library library = own ? dlopen(nullptr, RTLD_NOW) : dlopen(path, RTLD_NOW | RTLD_NOLOAD);
    void* symbol = library == nullptr ? nullptr : dlsym(library, name);
    Dl_info info{};
    if (symbol == nullptr || dladdr(symbol, &info) == 0) return nullptr;
    return reinterpret_cast<Module>(info.dli_fbase) == module ? symbol : nullptr;
}

bool exists(const char* path) {
    struct stat status;
    return stat(path, &status) == 0;
}

char* environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? nullptr : str::duplicate(value);
}

void formatList(Message& message, const char* format, const str::Argument* arguments, std::size_t count) {
    str::formatList(message, sizeof message, format, arguments, count);
}

void* allocate(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) fatal("Out of memory");
    return block;
}

void showMessage(const char* text) {
    char plain[str::MessageCapacity];
    plainLines(text, plain);
    const std::size_t n = str::length(plain);
    writeAll(STDERR_FILENO, plain, n);
    if (n == 0 || plain[n - 1] != '\n') writeAll(STDERR_FILENO, "\n", 1);
    if (!isatty(STDERR_FILENO) && desktopAvailable()) showDialog(plain);
}

void reportEvent(const char* source, const char* text) {
    char plain[str::MessageCapacity];
    plainLines(text, plain);
    openlog(source, LOG_PID, LOG_USER);
    syslog(LOG_ERR, "%s", plain);
    closelog();
}

void exitProcess(int status) {
    std::fflush(nullptr);
    _exit(status);
}

}  // namespace os
