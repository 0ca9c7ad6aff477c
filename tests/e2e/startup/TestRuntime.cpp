// A runtime component for the start-up tests: KR_Loader checks the
// descriptor, records what it saw and fills slots 98 and 0 with entries that
// record their calls and return at once. KOV_TEST_LOG names the record file;
// KOV_TEST_RUNTIME=refuse makes the loader refuse, =noslots leaves the slots
// empty, =wait makes the run entry wait until the process is ended.

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "runtime/KrProtocol.h"
#include "tests/e2e/startup/TestExport.h"
#include "tests/e2e/startup/TestLog.h"

namespace {

std::string mode() {
    const char* value = std::getenv("KOV_TEST_RUNTIME");
    return value == nullptr ? "" : value;
}

std::uint32_t word(const unsigned char* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// The main-class name (tag 6) in the block the descriptor points at.
std::string mainClassName(const kr::Word* d) {
    const auto* block = reinterpret_cast<const unsigned char*>(d[kr::Block]);
    std::size_t at = 36;
    for (std::uint32_t left = word(block + 24); left > 0 && at + 8 <= d[kr::BlockSize]; --left) {
        if (word(block + at) == 6) return reinterpret_cast<const char*>(block + at + 8);
        at += 8 + word(block + at + 4);
    }
    return "(none)";
}

// The file of the module (library or executable) this code is in.
std::string ownPath() {
#ifdef _WIN32
    HMODULE self = nullptr;
    wchar_t path[1024];
    char text[3 * 1024];
    const DWORD flags = GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
    if (!GetModuleHandleExW(flags, reinterpret_cast<LPCWSTR>(&ownPath), &self)) return "?";
    const DWORD n = GetModuleFileNameW(self, path, 1024);
    if (n == 0 || n >= 1024) return "?";
    // As UTF-8, so that the record names any folder as it is.
    const int length = WideCharToMultiByte(CP_UTF8, 0, path, static_cast<int>(n), text, sizeof text, nullptr, nullptr);
    return std::string(text, static_cast<std::size_t>(length));
#else
    Dl_info info{};
    dladdr(reinterpret_cast<void*>(&ownPath), &info);
    return info.dli_fname == nullptr ? "?" : info.dli_fname;
#endif
}

void init(kr::Word argument) { testlog::line("init " + std::to_string(argument)); }
void run() {
    testlog::line("run");
    while (mode() == "wait") {
#ifdef _WIN32
        Sleep(1000);
#else
        pause();
#endif
    }
}

}  // namespace

extern "C" TEST_EXPORT int KR_LOADER_CALL KR_Loader(kr::Word module, kr::Word* d) {
    const bool wordsOk = module != 0 && d[kr::Module] == module && d[kr::InitArgument] == module &&
                         d[kr::Magic] == kr::DescriptorMagic && d[kr::Version] == kr::DescriptorVersion;
    auto* table1 = reinterpret_cast<kr::Word*>(d[kr::EntryTable1]);
    auto* table2 = reinterpret_cast<kr::Word*>(d[kr::EntryTable2]);
    const bool tablesOk = std::memcmp(table1, kr::Table1Header, sizeof kr::Table1Header) == 0 &&
                          std::memcmp(table2, kr::Table2Header, sizeof kr::Table2Header) == 0;
    testlog::line("loader " + ownPath() + " words=" + (wordsOk ? "ok" : "bad") +
                  " reason=" + std::to_string(d[kr::Reason]) + " tables=" + (tablesOk ? "ok" : "bad") +
                  " bind=" + (d[kr::BindToolkit] != 0 ? "set" : "unset") + " main=" + mainClassName(d));
    if (mode() == "refuse") return 0;
    if (mode() != "noslots") {
        table1[kr::HeaderWords + kr::InitSlot] = reinterpret_cast<kr::Word>(&init);
        table1[kr::HeaderWords + kr::RunSlot] = reinterpret_cast<kr::Word>(&run);
    }
    return 1;
}
