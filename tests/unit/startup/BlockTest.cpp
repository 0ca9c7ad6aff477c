#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "startup/SplashCPB.h"
#include "tools/cpbtool/Block.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes blockOf(const std::string& definition, std::size_t size = 1024) {
    return cpbtool::encode(cpbtool::parseDefinition(definition), size);
}

void setWord(Bytes& bytes, std::size_t index, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[4 * index + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

const char Sample[] =
    "word 2 = 6\nword 3 = 40\n"
    "profile = 2.8.0_07\ntext-23 = DESKTOP\nsplash-switch = 1\nkernel-dll = ZKRN6407.so\n"
    "# a comment\n\n99 = unnamed\n";

TEST(ConfigBlock, DefinitionGivesTheBlockLayout) {
    const Bytes bytes = blockOf(Sample);
    ASSERT_EQ(bytes.size(), 1024u);
    EXPECT_EQ(cpb::word(bytes.data()), cpb::Magic);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), std::string("CPB\0", 4));
    EXPECT_EQ(cpb::word(bytes.data() + 4), 4u);
    EXPECT_EQ(cpb::word(bytes.data() + 8), 6u);
    EXPECT_EQ(cpb::word(bytes.data() + 12), 40u);
    EXPECT_EQ(cpb::word(bytes.data() + 24), 5u);
    // "2.8.0_07" has length 12, "DESKTOP" length 8, a number 4.
    EXPECT_EQ(cpb::word(bytes.data() + 36), 25u);
    EXPECT_EQ(cpb::word(bytes.data() + 40), 12u);
    EXPECT_EQ(cpb::word(bytes.data() + 36 + 20), 23u);
    EXPECT_EQ(cpb::word(bytes.data() + 36 + 24), 8u);
    EXPECT_EQ(cpb::word(bytes.data() + 36 + 36 + 4), 4u);
    const std::size_t used = 36 + 20 + 16 + 12 + 20 + 16;
    for (std::size_t i = used; i < bytes.size(); ++i) ASSERT_EQ(bytes[i], 0) << i;
}

TEST(ConfigBlock, WalkYieldsTheCountedRecordsInOrder) {
    const Bytes bytes = blockOf(Sample);
    ASSERT_TRUE(cpb::valid(bytes.data(), bytes.size()));
    cpb::Walk walk(bytes.data(), bytes.size());
    std::vector<std::uint32_t> tags;
    std::vector<std::string> texts;
    for (cpb::Record r; walk.next(r);) {
        tags.push_back(r.tag);
        if (r.tag != 27) texts.push_back(cpb::text(r));
    }
    EXPECT_EQ(tags, (std::vector<std::uint32_t>{25, 23, 27, 13, 99}));
    EXPECT_EQ(texts, (std::vector<std::string>{"2.8.0_07", "DESKTOP", "ZKRN6407.so", "unnamed"}));
}

TEST(ConfigBlock, RejectsWrongHeadersAndRecordsPastTheSection) {
    const Bytes good = blockOf(Sample);
    for (auto [index, value] : {std::pair{0u, 0x00425044u}, {1u, 3u}, {1u, 5u}, {6u, 0u}}) {
        Bytes bad = good;
        setWord(bad, index, value);
        EXPECT_FALSE(cpb::valid(bad.data(), bad.size())) << index << "=" << value;
    }
    // A count beyond the records present walks the zero fill: still inside.
    Bytes zeros = good;
    setWord(zeros, 6, 7);
    EXPECT_TRUE(cpb::valid(zeros.data(), zeros.size()));
    // ...until the empty records run past the end.
    Bytes past = good;
    setWord(past, 6, 200);
    EXPECT_FALSE(cpb::valid(past.data(), past.size()));
    // A length that points past the section.
    Bytes longRecord = good;
    setWord(longRecord, 10, 2000);
    EXPECT_FALSE(cpb::valid(longRecord.data(), longRecord.size()));
    // The walk itself stops at the section's end, whatever the count says.
    cpb::Walk walk(past.data(), past.size());
    std::size_t records = 0;
    for (cpb::Record r; walk.next(r);) ++records;
    EXPECT_LT(records, 200u);
    EXPECT_FALSE(cpb::valid(good.data(), 35));
}

TEST(ConfigBlock, ValuesWithoutTheirZeroOrWordAreInvalid) {
    const std::uint8_t unterminated[4] = {'a', 'b', 'c', 'd'};
    const std::uint8_t shortNumber[2] = {1, 0};
    EXPECT_EXIT(cpb::text(cpb::Record{13, 4, unterminated}), testing::ExitedWithCode(1), "Invalid CPB");
    EXPECT_EXIT(cpb::number(cpb::Record{27, 2, shortNumber}), testing::ExitedWithCode(1), "Invalid CPB");
}

TEST(ConfigBlock, CompDirExpandsInBothForms) {
    const os::Module self = os::ownModule();
    str::Path executable, directory, path;
    ASSERT_TRUE(os::executableFilePath(executable));
    cpb::componentDirectory(self, directory);
    EXPECT_EQ(std::string(directory) + "/" + std::string(executable).substr(std::string(directory).size() + 1),
              std::string(executable));

    cpb::expandMapValue(self, "*{comp.dir}/rt/kovrt/ZKRN6407.so", path);
    EXPECT_EQ(std::string(path), std::string(directory) + "/rt/kovrt/ZKRN6407.so");
    cpb::expandRuntimeDirectory(self, "*{comp.dir}/rt", path);
    EXPECT_EQ(std::string(path), std::string(directory) + "/rt");
    cpb::expandRuntimeDirectory(self, "*{comp.dir}\\rt", path);
    EXPECT_EQ(std::string(path), std::string(directory) + "/rt");
    cpb::expandRuntimeDirectory(self, "*{comp.dir}", path);
    EXPECT_EQ(std::string(path), std::string(directory) + "/");
    cpb::expandMapValue(self, "/opt/kov/ZKRN6407.so", path);
    EXPECT_STREQ(path, "/opt/kov/ZKRN6407.so");
    cpb::expandRuntimeDirectory(self, "relative/rt", path);
    EXPECT_STREQ(path, "relative/rt");
}

TEST(ConfigBlock, APathLongerThanItsBufferIsFatalAndNamed) {
    const std::string longValue = "/" + std::string(300, 'd') + "/ZKRN6407.so";
    str::Path path;
    EXPECT_EXIT(cpb::expandMapValue(os::ownModule(), longValue.c_str(), path), testing::ExitedWithCode(1),
                "Path too long: /d+/ZKRN6407.so");
    const std::string exactFit(259, 'p');
    cpb::joinPath(path, {exactFit.c_str()});
    EXPECT_EQ(std::string(path), exactFit);
}

TEST(ConfigBlock, SplashScanTakesTheLastValueAndFlagsAsZeroOrOne) {
    const Bytes bytes = blockOf(
        "splash-switch = 0\nsplash-switch = 2\nsplash-value = 3\nsplash-data = 77\nsplash-flag1 = 9\n"
        "splash-flag2 = 0\nruntime-dir = /first\nruntime-dir = /second/rt\nprofile = p1\n");
    const cpb::SplashSettings s = cpb::scanSplashSettings(os::ownModule(), os::Block{bytes.data(), bytes.size()});
    EXPECT_EQ(s.enabled, 2u);
    EXPECT_EQ(s.value, 3u);
    ASSERT_NE(s.data, nullptr);
    EXPECT_EQ(cpb::word(static_cast<const std::uint8_t*>(s.data)), 77u);
    EXPECT_EQ(s.flag1, 1u);
    EXPECT_EQ(s.flag2, 0u);
    EXPECT_STREQ(s.runtimeDirectory, "/second/rt");
    EXPECT_STREQ(s.profileName, "p1");

    const Bytes empty = blockOf("number-1 = 0\n");
    const cpb::SplashSettings d = cpb::scanSplashSettings(os::ownModule(), os::Block{empty.data(), empty.size()});
    EXPECT_EQ(d.enabled, 0u);
    EXPECT_EQ(d.data, nullptr);
    EXPECT_STREQ(d.runtimeDirectory, "");
    EXPECT_EQ(d.profileName, nullptr);
}

TEST(BlockTool, ReportsUnknownTagsBadNumbersAndBlocksThatDoNotFit) {
    EXPECT_THROW(cpbtool::parseDefinition("kernel-library = x\n"), cpbtool::Error);
    EXPECT_THROW(cpbtool::parseDefinition("splash-switch = yes\n"), cpbtool::Error);
    EXPECT_THROW(cpbtool::parseDefinition("word 6 = 3\n"), cpbtool::Error);
    EXPECT_THROW(cpbtool::parseDefinition("word 2x = 3\n"), cpbtool::Error);
    EXPECT_EQ(cpbtool::parseDefinition("word 0x3 = 40\n").header[3], 40u);
    EXPECT_THROW(cpbtool::parseDefinition("just text\n"), cpbtool::Error);
    EXPECT_THROW(blockOf("main-class = " + std::string(1000, 'x') + "\n"), cpbtool::Error);
    EXPECT_NO_THROW(blockOf("main-class = " + std::string(1024 - 36 - 8 - 1, 'x') + "\n"));
    const Bytes bytes = blockOf(Sample);
    const cpbtool::Block decoded = cpbtool::decode(bytes);
    EXPECT_EQ(cpbtool::encode(decoded, bytes.size()), bytes);
}

TEST(BlockTool, DumpNamesEveryRecord) {
    std::ostringstream out;
    cpbtool::dump(blockOf(Sample), out);
    const std::string text = out.str();
    EXPECT_NE(text.find("6 count: 5"), std::string::npos) << text;
    EXPECT_NE(text.find("@0 tag 25 profile length 12: \"2.8.0_07\""), std::string::npos) << text;
    EXPECT_NE(text.find("@2 tag 27 splash-switch length 4: 1"), std::string::npos) << text;
    EXPECT_NE(text.find("@4 tag 99 (unnamed) length 8: \"unnamed\""), std::string::npos) << text;
}

}  // namespace
