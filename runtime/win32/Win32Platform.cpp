// The platform services on Win32: the program's folder, text files, the
// console and process exit.

#include <cstdio>
#include <iostream>

#include "runtime/PlatformBase.h"
#include "runtime/win32/Core.h"
#include "runtime/win32/Factories.h"
#include "runtime/win32/TextFiles.h"

namespace rtwin {

namespace {

constexpr DWORD PathBufferSize = 32768;

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetFileType(handle) == FILE_TYPE_CHAR && GetConsoleMode(handle, &mode);
}

class Win32Platform final : public rt::PlatformBase {
public:
    rt::String programDirectory() const override {
        std::wstring path(PathBufferSize, L'\0');
        path.resize(GetModuleFileNameW(nullptr, path.data(), PathBufferSize));
        return fromW(path.substr(0, path.find_last_of(L"\\/")));
    }

    std::unique_ptr<rt::TextReader> openTextReader(const rt::String& path) override { return rtwin::openTextReader(path); }
    std::unique_ptr<rt::TextWriter> openTextWriter(const rt::String& path) override { return rtwin::openTextWriter(path); }

    // A console gets the text as it is; a file or pipe gets it in the ANSI
    // code page.
    void writeStdout(const rt::String& text) override {
        HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
        const std::wstring wide = toW(text);
        std::fflush(stdout);
        if (isConsole(out)) {
            DWORD written = 0;
            WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
            return;
        }
        const std::string bytes = toCodePage(wide, CP_ACP);
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        std::fflush(stdout);
    }

    std::optional<rt::String> readStdinLine() override {
        HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
        if (isConsole(in)) return readConsoleLine(in);
        const auto line = readInputLine();
        if (!line) return std::nullopt;
        return fromW(fromCodePage(*line, CP_ACP));
    }

    [[noreturn]] void exitProcess(int status) override {
        std::cout.flush();
        std::cerr.flush();
        std::fflush(nullptr);
        ExitProcess(static_cast<UINT>(status));
    }

private:
    static std::optional<rt::String> readConsoleLine(HANDLE in) {
        std::wstring line;
        wchar_t c = 0;
        DWORD read = 0;
        while (ReadConsoleW(in, &c, 1, &read, nullptr) && read == 1) {
            if (c == L'\n') return fromW(line);
            if (c != L'\r') line.push_back(c);
        }
        if (line.empty()) return std::nullopt;
        return fromW(line);
    }
};

}  // namespace

rt::Platform& platformServices() {
    static Win32Platform platform;
    return platform;
}

}  // namespace rtwin
