// Blocks that the stub refuses: each failure is shown and ends with 1
// before anything is loaded.

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace e2e
