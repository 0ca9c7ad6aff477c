// A splash library for the start-up tests that loads, when it is handed the
// image, the library named by KOV_TEST_PRELOAD: the runtime lookup that
// follows the splash step then finds that library already in the process.

#include <windows.h>

#include <cstdint>

#include "splash/SplashProtocol.h"
#include "tests/e2e/startup/TestExport.h"

extern "C" TEST_EXPORT int SplashInitEx(std::uint32_t, std::uint32_t, std::uint32_t, const void*) { return 1; }

extern "C" TEST_EXPORT int SplashLoadMemory(const void*, std::uint32_t) {
    wchar_t path[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"KOV_TEST_PRELOAD", path, MAX_PATH);
    return n > 0 && n < MAX_PATH && LoadLibraryW(path) != nullptr ? 1 : 0;
}
