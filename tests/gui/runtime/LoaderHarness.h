#pragma once

// What the loader tests of every runtime component share: a configuration
// block, a descriptor with its entry tables, and a main class that ends
// the process. The fixture of each test finds the component's KR_Loader.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "runtime/KrProtocol.h"
#include "runtime/Toolkit.h"

namespace kovtest {

// A configuration block: the "CPB" header and the given records (tag,
// text), each padded to whole words.
inline std::vector<unsigned char> block(const std::vector<std::pair<std::uint32_t, std::string>>& texts,
                                        std::uint32_t version = 4) {
    std::vector<unsigned char> bytes;
    auto word = [&](std::uint32_t w) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<unsigned char>(w >> (8 * i)));
    };
    bytes = {'C', 'P', 'B', 0};
    for (std::uint32_t w : {version, 6u, 40u, 3u, 7u, static_cast<std::uint32_t>(texts.size()), 0u, 1u}) word(w);
    for (const auto& [tag, text] : texts) {
        const auto length = static_cast<std::uint32_t>((text.size() + 4) / 4 * 4);
        word(tag);
        word(length);
        bytes.insert(bytes.end(), text.begin(), text.end());
        bytes.resize(bytes.size() + length - text.size(), 0);
    }
    return bytes;
}

inline int exitStatus = 0;
inline void mainThatExits(const std::vector<rt::String>&) { rt::platform().exitProcess(exitStatus); }
inline void bindToolkit(rt::Toolkit* toolkit) { rt::bindToolkit(toolkit); }
inline const kr::MainClass mainClasses[] = {{"Other", nullptr}, {"HangMan", &mainThatExits}, {nullptr, nullptr}};

class LoaderHarness : public testing::Test {
protected:
    LoaderHarness() {
        descriptor[kr::Magic] = kr::DescriptorMagic;
        descriptor[kr::Version] = kr::DescriptorVersion;
        descriptor[kr::MainClasses] = reinterpret_cast<kr::Word>(mainClasses);
        descriptor[kr::EntryTable1] = reinterpret_cast<kr::Word>(table1.data());
        descriptor[kr::EntryTable2] = reinterpret_cast<kr::Word>(table2.data());
        descriptor[kr::BindToolkit] = reinterpret_cast<kr::Word>(&bindToolkit);
        useBlock(block({{5, "-Dkov.lib.path:forms.lib  -Dkov.jit.fast  -Dkov.gc.heaplimit:0"}, {6, "HangMan"}}));
    }

    void useBlock(std::vector<unsigned char> bytes) {
        config = std::move(bytes);
        descriptor[kr::Block] = reinterpret_cast<kr::Word>(config.data());
        descriptor[kr::BlockSize] = config.size();
    }

    int load() { return loader(0x1000, descriptor.data()); }

    // Loads, expecting a refusal, and returns what the runtime printed.
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

    kr::LoaderFn loader = nullptr;
    std::vector<kr::Word> descriptor = std::vector<kr::Word>(kr::DescriptorWords, 0);
    std::vector<kr::Word> table1 = std::vector<kr::Word>(kr::HeaderWords + kr::Table1Slots, 0);
    std::vector<kr::Word> table2 = std::vector<kr::Word>(kr::HeaderWords + kr::Table2Slots, 0);
    std::vector<unsigned char> config;
};

}  // namespace kovtest
