// Blocks that the stub refuses: each failure is shown and ends with 1
// before anything is loaded.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "tests/e2e/startup/Harness.h"

namespace e2e {
namespace {

struct WordEdit {
    const char* word;
    const char* value;
};

class BadHeader : public testing::TestWithParam<WordEdit> {};

TEST_P(BadHeader, IsAnInvalidBlock) {
    Layout layout(SPLASH_EXE);
    copyFile(TEST_SPLASH, layout.root() / "rt/bin/splashscreen.so");
    layout.cpb({"set-word", GetParam().word, GetParam().value});
    const Result r = layout.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Invalid CPB\n");
    EXPECT_TRUE(layout.log().empty()) << "nothing may be loaded";
}

INSTANTIATE_TEST_SUITE_P(Words, BadHeader,
                         testing::Values(WordEdit{"0", "0x00425044"}, WordEdit{"1", "3"}, WordEdit{"1", "5"},
                                         WordEdit{"6", "0"},
                                         // more records than the section holds
                                         WordEdit{"6", "200"}));

TEST(BlockFailure, ExtraCountedRecordsInTheZeroFillAreSkipped) {
    Layout layout;
    layout.cpb({"set-word", "6", "26"});
    const Result r = layout.run();
    EXPECT_EQ(r.status, 0) << r.err;
}

TEST(BlockFailure, ExecutableWithoutConfigSection) {
    Layout layout;
    const Result renamed =
        runProgram({"/usr/bin/objcopy", "--rename-section", ".config=.confix", layout.exe().string()}, {});
    ASSERT_EQ(renamed.status, 0) << renamed.err;
    const Result r = layout.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Invalid component: no CPB\n");
}

// Rewrites a 64-bit field of the ".config" section header of an ELF file
// (16: address, 32: size), as a hand-edited image would have it.
void setConfigHeaderField(const fs::path& file, std::size_t field, std::uint64_t value) {
    std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    auto at = [&bytes](std::uint64_t offset, std::size_t width) {
        std::uint64_t v = 0;
        std::memcpy(&v, bytes.data() + offset, width);
        return v;
    };
    const std::uint64_t table = at(0x28, 8);
    const std::uint64_t names = at(table + at(0x3E, 2) * 64 + 24, 8);
    for (std::uint64_t i = 0; i < at(0x3C, 2); ++i) {
        const std::uint64_t header = table + i * 64;
        if (std::strcmp(bytes.data() + names + at(header, 4), ".config") != 0) continue;
        f.seekp(static_cast<std::streamoff>(header + field));
        f.write(reinterpret_cast<const char*>(&value), sizeof value);
        return;
    }
    FAIL() << "no .config section in " << file;
}

TEST(BlockFailure, SectionOutsideTheLoadedImageIsNoBlock) {
    for (const auto& [field, value] : {std::pair<std::size_t, std::uint64_t>{16, 0x40000000}, {32, 0x10000000}}) {
        Layout layout;
        setConfigHeaderField(layout.exe(), field, value);
        const Result r = layout.run();
        EXPECT_EQ(r.status, 1) << "field " << field;
        EXPECT_EQ(r.err, "Invalid component: no CPB\n") << "field " << field;
        EXPECT_TRUE(layout.log().empty());
    }
}

}  // namespace
}  // namespace e2e
