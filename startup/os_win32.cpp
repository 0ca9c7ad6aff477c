// Win32 implementation of the stub's platform calls: the module's mapped PE
// headers, LoadLibraryA/GetProcAddress, messages formatted by wvsprintfA,
// the message box for GUI images, standard error for console images, the
// event log through the registry and ReportEventA. Built by the Windows
// build only.

#include <windows.h>

#include "startup/image.h"
#include "startup/os.h"

namespace os {

namespace {

constexpr DWORD EventIdentifier = 0x40000001;
constexpr UINT MessageBoxStyle = MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND;
constexpr char EventLogKey[] = "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\%s";

bool eventSourceRegistered = false;

// A mapped image is read in place; the loader has laid out its headers.
image::MemoryBytes mappedImage(Module module) {
    return image::MemoryBytes(reinterpret_cast<const void*>(module), ~std::uint64_t{0} - module);
}

// The module's file path into path; false (and empty) when it cannot be had
// or does not fit.
bool readModulePath(Module module, char* path, DWORD capacity) {
    const DWORD n = GetModuleFileNameA(reinterpret_cast<HMODULE>(module), path, capacity);
    if (n == 0 || n >= capacity) {
        path[n == 0 ? 0 : capacity - 1] = '\0';
        return false;
    }
    return true;
}

bool isGuiExecutable() {
    const Module self = reinterpret_cast<Module>(GetModuleHandleA(nullptr));
    return self != 0 && image::peIsGui(mappedImage(self));
}

// A USER32 function looked up at the moment of use (the library reference
// is kept), or null.
void* user32Function(const char* name) {
    HMODULE user32 = LoadLibraryA("USER32.DLL");
    return user32 == nullptr ? nullptr : reinterpret_cast<void*>(GetProcAddress(user32, name));
}

void messageBox(const char* text) {
    char title[str::PathCapacity];
    if (!readModulePath(reinterpret_cast<Module>(GetModuleHandleA(nullptr)), title, sizeof title)) title[0] = '\0';
    using MessageBoxFn = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);
    auto show = reinterpret_cast<MessageBoxFn>(user32Function("MessageBoxA"));
    if (show != nullptr) show(nullptr, text, title, MessageBoxStyle);
}

// A library name without a directory: looked up in the application's
// directory and the system directories, never in the current directory
// (nor on PATH), so a DLL planted where the program is started cannot run.
bool isBareName(const char* path) { return str::indexOf(path, '\\') < 0 && str::indexOf(path, '/') < 0; }

bool setValue(HKEY key, const char* name, DWORD type, const void* data, DWORD size) {
    return RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

bool registerEventSource(const char* source) {
    if (eventSourceRegistered) return true;
    Message keyPath;
    format(keyPath, EventLogKey, source);
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key, &disposition) != ERROR_SUCCESS) {
        return false;
    }
    char path[str::PathCapacity];
    const DWORD types = EVENTLOG_ERROR_TYPE | EVENTLOG_WARNING_TYPE | EVENTLOG_INFORMATION_TYPE;
    const bool ok = readModulePath(reinterpret_cast<Module>(GetModuleHandleA(nullptr)), path, sizeof path) &&
                    setValue(key, "EventMessageFile", REG_EXPAND_SZ, path,
                             static_cast<DWORD>(str::length(path) + 1)) &&
                    setValue(key, "TypesSupported", REG_DWORD, &types, sizeof types);
    eventSourceRegistered = ok;
    RegCloseKey(key);
    return ok;
}

}  // namespace

Module ownModule() { return reinterpret_cast<Module>(GetModuleHandleA(nullptr)); }

bool moduleFilePath(Module module, str::Path& path) {
    char longPath[str::MessageCapacity];
    if (readModulePath(module, longPath, sizeof longPath)) {
        if (!str::copy(path, sizeof path, longPath)) fatalf("Path too long: %s", longPath);
        return path[0] != '\0';
    }
    if (longPath[0] != '\0') fatalf("Path too long: %s", longPath);
    path[0] = '\0';
    return false;
}

bool executableFilePath(str::Path& path) { return moduleFilePath(ownModule(), path); }

Block findConfigSection(Module module) {
    image::Section section;
    switch (image::peFindSection(mappedImage(module), ".config", section)) {
    case image::Status::Ok: break;
    case image::Status::BadDosSignature: fatal("Invalid DOS signature");
    case image::Status::BadPeSignature: fatal("Invalid PE signature");
    default: fatal("Invalid component: no CPB");
    }
    return Block{reinterpret_cast<const std::uint8_t*>(module + section.address),
                 static_cast<std::size_t>(section.size)};
}

Library loadLibrary(const char* path) {
    if (path[0] == '\0') return nullptr;
    if (isBareName(path)) return LoadLibraryExA(path, nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    return LoadLibraryA(path);
}

Library loadedLibrary(const char* name) { return GetModuleHandleA(name); }

void* findSymbol(Library library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void* findModuleSymbol(Module module, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(module), name));
}

bool exists(const char* path) {
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(path, &data);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

char* environment(const char* name) {
    const DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
    if (size == 0) return nullptr;
    char* value = static_cast<char*>(allocate(size));
    const DWORD n = GetEnvironmentVariableA(name, value, size);
    return n == 0 || n >= size ? nullptr : value;
}

char* codePageCopy(const char* text) {
    char* copy = str::duplicate(text);
    return OemToCharA(text, copy) ? copy : nullptr;
}

void formatList(Message& message, const char* format, const str::Argument* arguments, std::size_t count) {
    using FormatFn = int(WINAPI*)(LPSTR, LPCSTR, va_list);
    auto system = reinterpret_cast<FormatFn>(user32Function("wvsprintfA"));
    if (system == nullptr) {
        str::formatList(message, sizeof message, format, arguments, count);
        return;
    }
    // The argument list as the system's va_list lays it out: one slot of
    // pointer size per argument, texts as addresses, numbers as ints.
    std::uintptr_t slots[8] = {};
    for (std::size_t i = 0; i < count && i < 8; ++i) {
        const str::Argument& a = arguments[i];
        slots[i] = a.kind == str::Argument::Kind::Text ? reinterpret_cast<std::uintptr_t>(a.text)
                                                        : static_cast<std::uint32_t>(a.number);
    }
    system(message, format, reinterpret_cast<va_list>(slots));
}

void* allocate(std::size_t size) {
    void* block = HeapAlloc(GetProcessHeap(), 0, size == 0 ? 1 : size);
    if (block == nullptr) fatal("Out of memory");
    return block;
}

void showMessage(const char* text) {
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    if (err == INVALID_HANDLE_VALUE || isGuiExecutable()) return messageBox(text);
    DWORD written = 0;
    WriteFile(err, text, static_cast<DWORD>(str::length(text)), &written, nullptr);
    WriteFile(err, "\r\n", 2, &written, nullptr);
}

void reportEvent(const char* source, const char* text) {
    registerEventSource(source);
    HANDLE log = RegisterEventSourceA(nullptr, source);
    if (log == nullptr) return;
    const char* strings[] = {text};
    ReportEventA(log, EVENTLOG_ERROR_TYPE, 0, EventIdentifier, nullptr, 1, 0, strings, nullptr);
    DeregisterEventSource(log);
}

void exitProcess(int status) { ExitProcess(static_cast<UINT>(status)); }

}  // namespace os
