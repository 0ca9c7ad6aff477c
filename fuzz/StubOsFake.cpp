#include "fuzz/StubOsFake.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "splash/SplashProtocol.h"
#include "runtime/KrProtocol.h"
#include "startup/os.h"

namespace fake_os {

namespace {

World current;
// Never destroyed, so that what they hold stays reachable until the leak
// check at exit.
std::vector<void*>& runAllocations = *new std::vector<void*>;
bool keepRunAllocations = false;
std::vector<void*>& kept = *new std::vector<void*>;  // for the whole process, as in the stub
char libraryHandle;

// Every text the stub hands the system must end within its buffer size.
void checkText(const char* text, std::size_t capacity) {
    if (strnlen(text, capacity) >= capacity) __builtin_trap();
}

std::string modulePath() {
    return current.longDirectory ? "/" + std::string(239, 'd') + "/hangman" : "/opt/hangman/hangman";
}

int splashInitEx(std::uint32_t, std::uint32_t flag1, std::uint32_t flag2, const void*) {
    if (flag1 > 1 || flag2 > 1) __builtin_trap();
    return 0;
}

volatile std::uint8_t imageSum;

int splashLoadMemory(const void* bytes, std::uint32_t count) {
    const auto* image = static_cast<const std::uint8_t*>(bytes);
    for (std::uint32_t i = 0; i < count; ++i) imageSum = imageSum + image[i];
    return 0;
}

void splashCloseNow() {}

int loader(kr::Word, kr::Word*) { return 1; }

}  // namespace

World worldFromFlags(std::uint8_t flags) {
    World world;
    world.existence = flags % 3;
    world.librariesLoad = (flags & 0x04) != 0;
    world.symbolsFound = (flags & 0x08) != 0;
    world.kernelLoaded = (flags & 0x10) != 0;
    world.ownLoader = (flags & 0x20) != 0;
    world.longDirectory = (flags & 0x40) != 0;
    return world;
}

void beginRun(const World& world) {
    current = world;
    keepRunAllocations = false;
    os::setEventSource(nullptr);
}

void endRun() {
    if (keepRunAllocations) {
        kept.insert(kept.end(), runAllocations.begin(), runAllocations.end());
    } else {
        for (void* block : runAllocations) std::free(block);
    }
    runAllocations.clear();
}

}  // namespace fake_os

namespace os {

using namespace fake_os;

Module ownModule() { return 0x10000; }

bool moduleFilePath(Module, str::Path& path) {
    std::strcpy(path, modulePath().c_str());
    return true;
}

bool executableFilePath(str::Path& path) { return moduleFilePath(ownModule(), path); }

Block findConfigSection(Module) { return Block{current.block, current.blockSize}; }

Library loadLibrary(const char* path) {
    checkText(path, str::PathCapacity);
    return current.librariesLoad && path[0] != '\0' ? &libraryHandle : nullptr;
}

Library loadedLibrary(const char* name) {
    checkText(name, str::MessageCapacity);
    return current.kernelLoaded ? &libraryHandle : nullptr;
}

void* findSymbol(Library, const char* name) {
    if (!current.symbolsFound) return nullptr;
    if (std::strcmp(name, splash_protocol::InitExName) == 0) return reinterpret_cast<void*>(&splashInitEx);
    if (std::strcmp(name, splash_protocol::LoadMemoryName) == 0) return reinterpret_cast<void*>(&splashLoadMemory);
    if (std::strcmp(name, splash_protocol::CloseNowName) == 0) return reinterpret_cast<void*>(&splashCloseNow);
    return reinterpret_cast<void*>(&loader);
}

void* findModuleSymbol(Module, const char*) {
    return current.ownLoader ? reinterpret_cast<void*>(&loader) : nullptr;
}

bool exists(const char* path) {
    checkText(path, str::PathCapacity);
    if (current.existence == 2) return std::strlen(path) % 2 == 0;
    return current.existence == 1;
}

// Called only while the stub builds its search list, which it keeps for the
// life of the process: what this run allocates stays.
char* environment(const char*) {
    keepRunAllocations = true;
    return str::duplicate("/usr/bin::/opt/kov/bin/:");
}

void formatList(Message& message, const char* format, const str::Argument* arguments, std::size_t count) {
    str::formatList(message, sizeof message, format, arguments, count);
}

void* allocate(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) fatal("Out of memory");
    runAllocations.push_back(block);
    return block;
}

void showMessage(const char* text) { checkText(text, str::MessageCapacity); }

void reportEvent(const char* source, const char* text) {
    checkText(source, current.blockSize + 1);
    checkText(text, str::MessageCapacity);
}

void exitProcess(int status) { throw ProcessExit{status}; }

}  // namespace os
