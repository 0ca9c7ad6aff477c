// KR_Loader of the Win32 runtime component, found by the system loader and
// handed a descriptor and a configuration block made here.

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "LoaderHarness.h"
#include "runtime/KrProtocol.h"
#include "runtime/Toolkit.h"
#include "runtime/win32/Win32Runtime.h"

namespace {

using kovtest::block;
using kovtest::exitStatus;

class Win32LoaderTest : public kovtest::LoaderHarness {
protected:
    Win32LoaderTest() : module(LoadLibraryW(L"ZKRN6407.dll")) {
        loader = reinterpret_cast<kr::LoaderFn>(reinterpret_cast<void*>(GetProcAddress(module, kr::LoaderEntryName)));
    }
    ~Win32LoaderTest() override { FreeLibrary(module); }

    HMODULE module;
};

TEST_F(Win32LoaderTest, ExportsOnlyTheLoaderAndTheRuntimeApi) {
    ASSERT_NE(module, nullptr);
    ASSERT_NE(loader, nullptr);
    EXPECT_EQ(GetProcAddress(module, "_ZN2rt7toolkitEv"), nullptr);
    EXPECT_EQ(GetProcAddress(module, "_ZN2rt11bindToolkitEPNS_7ToolkitE"), nullptr);
}

TEST_F(Win32LoaderTest, RefusesABadDescriptorBlockOrMainClassWithAReason) {
    ASSERT_NE(loader, nullptr);
    descriptor[kr::Magic] = 0x12345678;
    EXPECT_NE(refusal().find("CDES"), std::string::npos);
    descriptor[kr::Magic] = kr::DescriptorMagic;
    useBlock(block({{6, "HangMan"}}, 3));
    EXPECT_NE(refusal().find("CPB"), std::string::npos);
    useBlock(block({{6, "Nobody"}}));
    EXPECT_NE(refusal().find("\"Nobody\""), std::string::npos);
}

TEST_F(Win32LoaderTest, AcceptanceFillsOnlyTheInitAndRunSlots) {
    ASSERT_NE(load(), 0);
    EXPECT_NE(slotInit(), nullptr);
    EXPECT_NE(slotRun(), nullptr);
    for (std::size_t i = 0; i < kr::Table1Slots; ++i)
        if (i != kr::InitSlot && i != kr::RunSlot) {
            EXPECT_EQ(table1[kr::HeaderWords + i], 0u) << i;
        }
    for (std::size_t i = 0; i < kr::Table2Slots; ++i) EXPECT_EQ(table2[kr::HeaderWords + i], 0u);
    EXPECT_EQ(rtwin::runtimeOption("kov.lib.path"), "forms.lib");
    EXPECT_EQ(rtwin::runtimeOption("kov.jit.fast"), "");
    EXPECT_EQ(rtwin::runtimeOption("kov.other"), std::nullopt);
}

TEST_F(Win32LoaderTest, SlotsStartTheToolkitAndRunMainUntilItExits) {
    ASSERT_NE(load(), 0);
    exitStatus = 7;
    EXPECT_EXIT(
        {
            slotInit()(0);
            slotRun()();
        },
        testing::ExitedWithCode(7), "");
}

}  // namespace
