// KR_Loader of the built runtime component, loaded with the real loader and
// handed a descriptor and a configuration block made here.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/KrProtocol.h"
#include "runtime/Toolkit.h"
#include "runtime/qt/QtRuntime.h"
#include "LoaderHarness.h"

namespace {

using kovtest::block;
using kovtest::exitStatus;

class LoaderTest : public kovtest::LoaderHarness {
protected:
    LoaderTest() {
        library = dlopen(KOVRT_PATH, RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) throw std::runtime_error(dlerror());
        loader = reinterpret_cast<kr::LoaderFn>(dlsym(library, kr::LoaderEntryName));
    }

    void* library = nullptr;
};

TEST_F(LoaderTest, ExportsTheLoaderButKeepsItsToolkitBindingInternal) {
    ASSERT_NE(loader, nullptr);
    EXPECT_EQ(dlsym(library, "_ZN2rt7toolkitEv"), nullptr);         // rt::toolkit()
    EXPECT_EQ(dlsym(library, "_ZN2rt11bindToolkitEPNS_7ToolkitE"), nullptr);  // rt::bindToolkit
}

TEST_F(LoaderTest, RefusesABadDescriptorOrBlockWithAReason) {
    ASSERT_NE(loader, nullptr);
    descriptor[kr::Magic] = 0x12345678;
    EXPECT_NE(refusal().find("CDES"), std::string::npos);
    descriptor[kr::Magic] = kr::DescriptorMagic;
    descriptor[kr::Version] = 2;
    EXPECT_NE(refusal().find("version"), std::string::npos);
    descriptor[kr::Version] = kr::DescriptorVersion;
    useBlock(block({{6, "HangMan"}}, 3));
    EXPECT_NE(refusal().find("CPB"), std::string::npos);
}

TEST_F(LoaderTest, RefusesAMissingOrUnknownMainClass) {
    useBlock(block({{5, "-Dkov.jit.fast"}}));
    EXPECT_NE(refusal().find("no main class"), std::string::npos);
    useBlock(block({{6, "Nobody"}}));
    EXPECT_NE(refusal().find("\"Nobody\""), std::string::npos);
}

TEST_F(LoaderTest, NeverWalksPastTheBlockSize) {
    std::vector<unsigned char> bytes = block({{6, "HangMan"}});
    descriptor[kr::BlockSize] = bytes.size() - 4;
    EXPECT_NE(refusal().find("past its end"), std::string::npos);
    // A record count larger than the records present.
    bytes[24] = 9;
    useBlock(bytes);
    EXPECT_NE(refusal().find("past its end"), std::string::npos);
}

TEST_F(LoaderTest, AcceptanceFillsTheInitAndRunSlots) {
    EXPECT_NE(load(), 0);
    EXPECT_NE(table1[kr::HeaderWords + kr::InitSlot], 0u);
    EXPECT_NE(table1[kr::HeaderWords + kr::RunSlot], 0u);
    for (std::size_t i = 0; i < kr::Table2Slots; ++i) EXPECT_EQ(table2[kr::HeaderWords + i], 0u);
    EXPECT_EQ(rtqt::runtimeOption("kov.lib.path"), "forms.lib");
    EXPECT_EQ(rtqt::runtimeOption("kov.jit.fast"), "");
    EXPECT_EQ(rtqt::runtimeOption("kov.gc.heaplimit"), "0");
    EXPECT_EQ(rtqt::runtimeOption("kov.other"), std::nullopt);
}

TEST_F(LoaderTest, SlotsStartTheToolkitAndRunMainUntilItExits) {
    ASSERT_NE(load(), 0);
    const auto init = reinterpret_cast<kr::InitFn>(table1[kr::HeaderWords + kr::InitSlot]);
    const auto run = reinterpret_cast<kr::RunFn>(table1[kr::HeaderWords + kr::RunSlot]);
    exitStatus = 7;
    EXPECT_EXIT(
        {
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            init(0);
            run();
        },
        testing::ExitedWithCode(7), "");
}

TEST_F(LoaderTest, WithoutADisplayInitExplainsAndExitsWithOne) {
    ASSERT_NE(load(), 0);
    const auto init = reinterpret_cast<kr::InitFn>(table1[kr::HeaderWords + kr::InitSlot]);
    EXPECT_EXIT(
        {
            for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) unsetenv(name);
            init(0);
        },
        testing::ExitedWithCode(1), "needs a graphical display");
}

TEST_F(LoaderTest, AnUnreachableDisplayExplainsAndExitsWithOne) {
    ASSERT_NE(load(), 0);
    const auto init = reinterpret_cast<kr::InitFn>(table1[kr::HeaderWords + kr::InitSlot]);
    EXPECT_EXIT(
        {
            unsetenv("QT_QPA_PLATFORM");
            unsetenv("WAYLAND_DISPLAY");
            setenv("DISPLAY", ":97", 1);
            init(0);
        },
        testing::ExitedWithCode(1), "cannot open its display");
}

}  // namespace
