// Blocks that the stub refuses: each failure is shown and ends with 1
// before anything is loaded.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "tests/e2e/startup/Harness.h"

namespace e2e {
namespace {

class BadHeader : public testing::TestWithParam<expect::WordEdit> {};

TEST_P(BadHeader, IsAnInvalidBlock) {
    Layout layout(SPLASH_EXE);
    copyFile(TEST_SPLASH, layout.root() / "rt/bin/splashscreen.so");
    layout.cpb({"set-word", GetParam().word, GetParam().value});
    const Result r = layout.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, onStandardError(expect::InvalidBlock));
    EXPECT_TRUE(layout.log().empty()) << "nothing may be loaded";
}

// The words both platforms refuse, another magic, and more records than
// the section holds.
std::vector<expect::WordEdit> refusedWords() {
    std::vector<expect::WordEdit> words = expect::RefusedHeaderWords;
    words.push_back({"0", "0x00425044"});
    words.push_back({"6", "200"});
    return words;
}

INSTANTIATE_TEST_SUITE_P(Words, BadHeader, testing::ValuesIn(refusedWords()));

std::uint32_t wordAt(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

void putWord(std::string& bytes, std::size_t at, std::uint32_t value) {
    std::memcpy(bytes.data() + at, &value, sizeof value);
}

// Offset of record index in a block, following the lengths.
std::size_t recordAt(const std::string& block, std::size_t index) {
    std::size_t at = 36;
    for (; index > 0; --index) at += 8 + wordAt(block, at + 4);
    return at;
}

std::string contents(std::fstream& file) {
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

struct RawEdit {
    const char* name;
    void (*edit)(std::string& block);
};

// Changes the executable's block byte by byte, as a binary editor would;
// cpbtool refuses to write such blocks.
void editRawBlock(const fs::path& file, const RawEdit& raw) {
    std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
    const std::string bytes = contents(f);
    const std::size_t start = bytes.find(std::string("CPB\0\4\0\0\0", 8));
    ASSERT_NE(start, std::string::npos);
    std::string block = bytes.substr(start, 1024);
    raw.edit(block);
    f.seekp(static_cast<std::streamoff>(start));
    f.write(block.data(), static_cast<std::streamsize>(block.size()));
}

class HostileRecords : public testing::TestWithParam<RawEdit> {};

TEST_P(HostileRecords, AreAnInvalidBlockAndNothingIsReadPastIt) {
    Layout layout;
    editRawBlock(layout.exe(), GetParam());
    const Result r = layout.run();
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, onStandardError(expect::InvalidBlock));
    EXPECT_TRUE(layout.log().empty()) << "the runtime may not be loaded";
}

// Record 9 is the splash switch, 14 the kernel name, 23 the last record.
INSTANTIATE_TEST_SUITE_P(
    Edits, HostileRecords,
    testing::Values(
        RawEdit{"HugeLength", [](std::string& b) { putWord(b, recordAt(b, 14) + 4, 0xFFFFFFF0); }},
        RawEdit{"CountOfAllOnes", [](std::string& b) { putWord(b, 24, 0xFFFFFFFF); }},
        RawEdit{"LengthNotAMultipleOfFour", [](std::string& b) { putWord(b, recordAt(b, 14) + 4, 13); }},
        RawEdit{"EmptyText", [](std::string& b) { putWord(b, recordAt(b, 14) + 4, 0); }},
        RawEdit{"NumberShorterThanAWord", [](std::string& b) { putWord(b, recordAt(b, 9) + 4, 2); }},
        RawEdit{"TextWithoutItsZero",
                [](std::string& b) {
                    const std::size_t at = recordAt(b, 14);
                    for (std::size_t i = at + 8; i < at + 8 + wordAt(b, at + 4); ++i) {
                        if (b[i] == 0) b[i] = 'A';
                    }
                }},
        RawEdit{"LastTextRunningToTheSectionEndWithoutZero",
                [](std::string& b) {
                    const std::size_t at = recordAt(b, 23);
                    putWord(b, at, 16);
                    putWord(b, at + 4, static_cast<std::uint32_t>(b.size() - at - 8));
                    for (std::size_t i = at + 8; i < b.size(); ++i) b[i] = 'B';
                }}),
    [](const testing::TestParamInfo<RawEdit>& info) { return std::string(info.param.name); });

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
    EXPECT_EQ(r.err, onStandardError(expect::NoBlock));
}

// Rewrites a 64-bit field of the ".config" section header of an ELF file
// (16: address, 32: size), as a hand-edited image would have it.
void setConfigHeaderField(const fs::path& file, std::size_t field, std::uint64_t value) {
    std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
    const std::string bytes = contents(f);
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
        EXPECT_EQ(r.err, onStandardError(expect::NoBlock)) << "field " << field;
        EXPECT_TRUE(layout.log().empty());
    }
}

}  // namespace
}  // namespace e2e
