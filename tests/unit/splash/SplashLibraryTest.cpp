// The built splash library through the real loader, with no display: the
// entries return, nothing faults, and the library answers to its soname.

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "splash/SplashProtocol.h"

namespace {

using InitEx = splash_protocol::InitExFn;
using LoadMemory = splash_protocol::LoadMemoryFn;
using Close = splash_protocol::CloseFn;

class SplashLibrary : public testing::Test {
protected:
    void SetUp() override {
        unsetenv("DISPLAY");
        library_ = dlopen(SPLASH_LIBRARY, RTLD_NOW);
        ASSERT_NE(library_, nullptr) << dlerror();
        initEx_ = reinterpret_cast<InitEx>(dlsym(library_, "SplashInitEx"));
        loadMemory_ = reinterpret_cast<LoadMemory>(dlsym(library_, "SplashLoadMemory"));
        close_ = reinterpret_cast<Close>(dlsym(library_, "SplashClose"));
    }
    void* library_ = nullptr;
    InitEx initEx_ = nullptr;
    LoadMemory loadMemory_ = nullptr;
    Close close_ = nullptr;
};

TEST_F(SplashLibrary, ExportsItsEntriesAndIsFoundLoadedByItsSoname) {
    ASSERT_NE(initEx_, nullptr);
    ASSERT_NE(loadMemory_, nullptr);
    ASSERT_NE(close_, nullptr);
    EXPECT_NE(dlsym(library_, "SplashCloseNow"), nullptr);  // the stub's, before a fatal message
    void* again = dlopen("splashscreen.so", RTLD_NOW | RTLD_NOLOAD);
    EXPECT_EQ(again, library_);
    if (again != nullptr) dlclose(again);
    EXPECT_EQ(dlsym(library_, "decodeJpeg"), nullptr);  // nothing else is exported
}

// A count far beyond the caller's data, which ends at an unreadable page:
// the call returns quietly instead of faulting.
TEST_F(SplashLibrary, ACountLargerThanTheDataNeverFaultsWithoutADisplay) {
    ASSERT_NE(loadMemory_, nullptr);
    const long page = sysconf(_SC_PAGESIZE);
    auto* pages = static_cast<std::uint8_t*>(
        mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(pages, MAP_FAILED);
    ASSERT_EQ(mprotect(pages + page, page, PROT_NONE), 0);
    std::ifstream in(SPLASH_JPEG, std::ios::binary);
    const std::vector<char> jpeg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t head = std::min<std::size_t>(jpeg.size(), page);
    std::memcpy(pages + page - head, jpeg.data(), head);
    const std::uint32_t zero = 0;
    EXPECT_EQ(initEx_(3, 1, 0, &zero), 1);
    EXPECT_EQ(loadMemory_(pages + page - head, 1u << 20), 1);
    close_();
    EXPECT_EQ(loadMemory_(jpeg.data(), static_cast<std::uint32_t>(jpeg.size())), 0);  // one image per process
    EXPECT_EQ(initEx_(0, 0, 0, nullptr), 0);  // settings after the image come too late
    munmap(pages, 2 * page);
}

}  // namespace
