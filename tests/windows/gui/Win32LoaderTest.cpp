// KR_Loader of the Win32 runtime component, found by the system loader and
// handed a descriptor and a configuration block made here.

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "TestBlock.h"
#include "runtime/KrProtocol.h"
#include "runtime/Toolkit.h"
#include "runtime/win32/Win32Runtime.h"

namespace {

using kovtest::block;

int exitStatus = 0;
void mainThatExits(const std::vector<rt::String>&) { rt::toolkit().exitProcess(exitStatus); }
void bind(rt::Toolkit* toolkit) { rt::bindToolkit(toolkit); }

const kr::MainClass mainClasses[] = {{"Other", nullptr}, {"HangMan", &mainThatExits}, {nullptr, nullptr}};

class Win32LoaderTest : public testing::Test {
protected:
    Win32LoaderTest() {
        module = LoadLibraryW(L"ZKRN6407.dll");
        loader = reinterpret_cast<kr::LoaderFn>(GetProcAddress(module, kr::LoaderEntryName));
        descriptor[kr::Magic] = kr::DescriptorMagic;
        descriptor[kr::Version] = kr::DescriptorVersion;
        descriptor[kr::MainClasses] = reinterpret_cast<kr::Word>(mainClasses);
        descriptor[kr::EntryTable1] = reinterpret_cast<kr::Word>(table1.data());
        descriptor[kr::EntryTable2] = reinterpret_cast<kr::Word>(table2.data());
        descriptor[kr::BindToolkit] = reinterpret_cast<kr::Word>(&bind);
        useBlock(block({{5, "-Dkov.lib.path:forms.lib  -Dkov.jit.fast"}, {6, "HangMan"}}));
    }
    ~Win32LoaderTest() override { FreeLibrary(module); }

    void useBlock(std::vector<unsigned char> bytes) {
        config = std::move(bytes);
        descriptor[kr::Block] = reinterpret_cast<kr::Word>(config.data());
        descriptor[kr::BlockSize] = config.size();
    }

    int load() { return loader(0x1000, descriptor.data()); }

    std::string refusal() {
        testing::internal::CaptureStderr();
        const int result = load();
        std::string printed = testing::internal::GetCapturedStderr();
        EXPECT_EQ(result, 0);
        EXPECT_EQ(table1[kr::HeaderWords + kr::InitSlot], 0u);
        return printed;
    }

    kr::InitFn slotInit() const { return reinterpret_cast<kr::InitFn>(table1[kr::HeaderWords + kr::InitSlot]); }
    kr::RunFn slotRun() const { return reinterpret_cast<kr::RunFn>(table1[kr::HeaderWords + kr::RunSlot]); }

    HMODULE module = nullptr;
    kr::LoaderFn loader = nullptr;
    std::vector<kr::Word> descriptor = std::vector<kr::Word>(kr::DescriptorWords, 0);
    std::vector<kr::Word> table1 = std::vector<kr::Word>(kr::HeaderWords + kr::Table1Slots, 0);
    std::vector<kr::Word> table2 = std::vector<kr::Word>(kr::HeaderWords + kr::Table2Slots, 0);
    std::vector<unsigned char> config;
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
        if (i != kr::InitSlot && i != kr::RunSlot) EXPECT_EQ(table1[kr::HeaderWords + i], 0u) << i;
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
