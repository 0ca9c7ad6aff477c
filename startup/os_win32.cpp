// Win32 implementation of the stub's platform calls: the module's mapped PE
// headers, LoadLibraryW/GetProcAddress, messages formatted by wvsprintfA,
// the message box for GUI images, standard error for console images, the
// event log through the registry and ReportEventW. Built by the Windows
// build only.
//
// The stub's texts are UTF-8 here: every path and message crosses to and
// from the system as UTF-16 (the wide calls), so that a program in a folder
// whose name lies outside the ANSI code page (日本語, Łódź) finds its files
// and names them correctly. A text that is not valid UTF-8 (a block written
// in the ANSI code page) is read in the ANSI code page.

#include <windows.h>

#include "startup/image.h"
#include "startup/os.h"

namespace os {

namespace {

constexpr DWORD EventIdentifier = 0x40000001;
constexpr UINT MessageBoxStyle = MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND;
constexpr char EventLogKey[] = "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\%s";

// Longest path the file calls take, in UTF-16 units with the terminator.
constexpr DWORD MaxPathUnits = MAX_PATH;

using WideText = wchar_t[str::MessageCapacity];
// Room for any WideText as UTF-8.
using Utf8Text = char[3 * str::MessageCapacity];

bool eventSourceRegistered = false;

// text as UTF-16 into wide (capacity units); false when it does not fit.
bool toWide(const char* text, wchar_t* wide, int capacity) {
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, wide, capacity) > 0) return true;
    return GetLastError() == ERROR_NO_UNICODE_TRANSLATION &&
           MultiByteToWideChar(CP_ACP, 0, text, -1, wide, capacity) > 0;
}

// wide as UTF-8 into text; an unpaired surrogate becomes U+FFFD.
void toUtf8(const wchar_t* wide, char* text, int capacity) {
    if (WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, capacity, nullptr, nullptr) == 0) text[0] = '\0';
}

// Heap copy of wide as UTF-8.
char* utf8Copy(const wchar_t* wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return nullptr;
    char* text = static_cast<char*>(allocate(static_cast<std::size_t>(size)));
    toUtf8(wide, text, size);
    return text;
}

// A mapped image is read in place; the loader has laid out its headers.
image::MemoryBytes mappedImage(Module module) {
    return image::MemoryBytes(reinterpret_cast<const void*>(module), ~std::uint64_t{0} - module);
}

// The module's file path; its length in units (the text cut to the buffer
// when longer), 0 (and empty) when it cannot be had.
DWORD modulePath(Module module, WideText& path) {
    const DWORD n = GetModuleFileNameW(reinterpret_cast<HMODULE>(module), path, str::MessageCapacity);
    path[n < str::MessageCapacity ? n : str::MessageCapacity - 1] = L'\0';
    return n;
}

// The executable's full path, or empty when it is too long for a file call.
void executablePath(WideText& path) {
    if (modulePath(ownModule(), path) >= MaxPathUnits) path[0] = L'\0';
}

bool isGuiExecutable() {
    const Module self = ownModule();
    return self != 0 && image::peIsGui(mappedImage(self));
}

// A USER32 function looked up at the moment of use (the library reference
// is kept), or null.
void* user32Function(const char* name) {
    HMODULE user32 = LoadLibraryW(L"USER32.DLL");
    return user32 == nullptr ? nullptr : reinterpret_cast<void*>(GetProcAddress(user32, name));
}

void messageBox(const char* text) {
    WideText title, wideText;
    executablePath(title);
    if (!toWide(text, wideText, str::MessageCapacity)) return;
    using MessageBoxFn = int(WINAPI*)(HWND, LPCWSTR, LPCWSTR, UINT);
    auto show = reinterpret_cast<MessageBoxFn>(user32Function("MessageBoxW"));
    if (show != nullptr) show(nullptr, wideText, title, MessageBoxStyle);
}

// To a console the text goes as UTF-16, so that it shows whatever the
// console's code page; to a file or pipe as the UTF-8 bytes.
void writeError(HANDLE err, const char* text) {
    DWORD mode = 0, written = 0;
    WideText wide;
    if (GetConsoleMode(err, &mode) && toWide(text, wide, str::MessageCapacity)) {
        WriteConsoleW(err, wide, static_cast<DWORD>(lstrlenW(wide)), &written, nullptr);
        WriteConsoleW(err, L"\r\n", 2, &written, nullptr);
        return;
    }
    WriteFile(err, text, static_cast<DWORD>(str::length(text)), &written, nullptr);
    WriteFile(err, "\r\n", 2, &written, nullptr);
}

// A library name without a directory: looked up in the application's
// directory and the system directories, never in the current directory
// (nor on PATH), so a DLL planted where the program is started cannot run.
bool isBareName(const char* path) { return str::indexOf(path, '\\') < 0 && str::indexOf(path, '/') < 0; }

bool setValue(HKEY key, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    return RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

bool registerEventSource(const char* source) {
    if (eventSourceRegistered) return true;
    Message keyPath;
    format(keyPath, EventLogKey, source);
    WideText wideKey;
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (!toWide(keyPath, wideKey, str::MessageCapacity) ||
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, wideKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &key, &disposition) != ERROR_SUCCESS) {
        return false;
    }
    WideText path;
    executablePath(path);
    const DWORD types = EVENTLOG_ERROR_TYPE | EVENTLOG_WARNING_TYPE | EVENTLOG_INFORMATION_TYPE;
    const bool ok = path[0] != L'\0' &&
                    setValue(key, L"EventMessageFile", REG_EXPAND_SZ, path,
                             static_cast<DWORD>((lstrlenW(path) + 1) * sizeof(wchar_t))) &&
                    setValue(key, L"TypesSupported", REG_DWORD, &types, sizeof types);
    eventSourceRegistered = ok;
    RegCloseKey(key);
    return ok;
}

}  // namespace

Module ownModule() { return reinterpret_cast<Module>(GetModuleHandleW(nullptr)); }

bool moduleFilePath(Module module, str::Path& path) {
    WideText wide;
    Utf8Text text;
    path[0] = '\0';
    const DWORD length = modulePath(module, wide);
    if (length == 0) return false;
    toUtf8(wide, text, sizeof text);
    if (length >= MaxPathUnits || !str::copy(path, sizeof path, text)) fatalf("Path too long: %s", text);
    return path[0] != '\0';
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
    wchar_t wide[MaxPathUnits];
    if (path[0] == '\0' || !toWide(path, wide, MaxPathUnits)) return nullptr;
    if (isBareName(path)) return LoadLibraryExW(wide, nullptr, LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    return LoadLibraryW(wide);
}

Library loadedLibrary(const char* name) {
    wchar_t wide[MaxPathUnits];
    return toWide(name, wide, MaxPathUnits) ? GetModuleHandleW(wide) : nullptr;
}

void* findSymbol(Library library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void* findModuleSymbol(Module module, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(module), name));
}

bool exists(const char* path) {
    wchar_t wide[MaxPathUnits];
    WIN32_FIND_DATAW data;
    if (!toWide(path, wide, MaxPathUnits)) return false;
    HANDLE search = FindFirstFileW(wide, &data);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

char* environment(const char* name) {
    wchar_t wideName[MaxPathUnits];
    if (!toWide(name, wideName, MaxPathUnits)) return nullptr;
    const DWORD size = GetEnvironmentVariableW(wideName, nullptr, 0);
    if (size == 0) return nullptr;
    auto* value = static_cast<wchar_t*>(allocate(size * sizeof(wchar_t)));
    const DWORD n = GetEnvironmentVariableW(wideName, value, size);
    return n == 0 || n >= size ? nullptr : utf8Copy(value);
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
    writeError(err, text);
}

void reportEvent(const char* source, const char* text) {
    registerEventSource(source);
    WideText wideSource, wideText;
    if (!toWide(source, wideSource, str::MessageCapacity) || !toWide(text, wideText, str::MessageCapacity)) return;
    HANDLE log = RegisterEventSourceW(nullptr, wideSource);
    if (log == nullptr) return;
    const wchar_t* strings[] = {wideText};
    ReportEventW(log, EVENTLOG_ERROR_TYPE, 0, EventIdentifier, nullptr, 1, 0, strings, nullptr);
    DeregisterEventSource(log);
}

void exitProcess(int status) { ExitProcess(static_cast<UINT>(status)); }

}  // namespace os
