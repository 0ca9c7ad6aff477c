// A splash library for the start-up tests: records its calls. Built once
// with every export and once without SplashLoadMemory.

#include <cstdint>
#include <string>

#include "splash/SplashProtocol.h"
#include "tests/e2e/startup/TestExport.h"
#include "tests/e2e/startup/TestLog.h"

extern "C" TEST_EXPORT int SplashInitEx(std::uint32_t value, std::uint32_t flag1, std::uint32_t flag2,
                                        const void* data) {
    const std::string shown =
        data == nullptr ? "null" : std::to_string(*static_cast<const std::uint32_t*>(data));
    testlog::line("splash-init " + std::to_string(value) + " " + std::to_string(flag1) + " " +
                  std::to_string(flag2) + " data=" + shown);
    return 1;
}

#ifndef WITHOUT_LOAD_MEMORY
extern "C" TEST_EXPORT int SplashLoadMemory(const void* bytes, std::uint32_t count) {
    testlog::line("splash-load " + std::to_string(count) + " " +
                  std::string(static_cast<const char*>(bytes), count));
    return 1;
}
#endif

extern "C" TEST_EXPORT void SplashCloseNow() { testlog::line("splash-close-now"); }
