// cpbtool on built executables: the dump, edits, and input errors that must
// leave the file as it was.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>

#include "tests/e2e/startup/Harness.h"

namespace e2e {
namespace {

std::string fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Result cpbtool(const std::vector<std::string>& args) {
    std::vector<std::string> argv{CPBTOOL};
    argv.insert(argv.end(), args.begin(), args.end());
    return runProgram(argv, {});
}

TEST(CpbTool, DumpsTheBuiltBlockWithItsRecordsInOrder) {
    const Result r = cpbtool({"dump", HANGMAN_EXE});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> tags;
    const std::regex record(R"(  @(\d+) tag (\d+) )");
    for (std::sregex_iterator i(r.out.begin(), r.out.end(), record), end; i != end; ++i) tags.push_back((*i)[2]);
    EXPECT_EQ(tags, (std::vector<std::string>{"1", "8", "19", "25", "23", "6", "14", "21", "26", "27", "28", "29",
                                              "33", "30", "13", "15", "15", "15", "15", "15", "15", "15", "5", "16"}));
    EXPECT_NE(r.out.find("6 count: 24"), std::string::npos);
    EXPECT_NE(r.out.find("tag 15 dll-map length 48: \"ZKRN6407.SO=*{comp.dir}/rt/kovrt/ZKRN6407.so\""),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("tag 16 runtime-dir length 16: \"*{comp.dir}/rt\""), std::string::npos);
}

TEST(CpbTool, EditsKeepTheSectionSizeAndTheRestOfTheFile) {
    Layout layout;
    const std::string before = fileBytes(layout.exe());
    layout.cpb({"add", "event-source", "Source", "--at", "2"});
    layout.cpb({"remove", "@0"});
    layout.cpb({"set-word", "7", "0x1234"});
    const std::string after = fileBytes(layout.exe());
    ASSERT_EQ(after.size(), before.size());
    const Result dump = cpbtool({"dump", layout.exe().string()});
    EXPECT_NE(dump.out.find("@1 tag 11 event-source length 8: \"Source\""), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("7 word 7: 4660"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("6 count: 24"), std::string::npos) << dump.out;
    // Only the block changed.
    std::size_t first = 0, last = 0;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] == after[i]) continue;
        if (first == 0) first = i;
        last = i;
    }
    EXPECT_LT(last - first, 1024u);
    EXPECT_TRUE(fs::is_regular_file(layout.exe()));
    EXPECT_EQ(fs::status(layout.exe()).permissions() & fs::perms::owner_exec, fs::perms::owner_exec);
}

struct BadInput {
    std::vector<std::string> args;  // after the file name
    const char* message;
};

class CpbToolInputError : public testing::TestWithParam<BadInput> {};

TEST_P(CpbToolInputError, FailsClearlyAndLeavesTheFileAsItWas) {
    Layout layout;
    const std::string before = fileBytes(layout.exe());
    std::vector<std::string> args{GetParam().args.at(0), layout.exe().string()};
    args.insert(args.end(), GetParam().args.begin() + 1, GetParam().args.end());
    const Result r = cpbtool(args);
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
    EXPECT_EQ(fileBytes(layout.exe()), before);
    for (const auto& entry : fs::directory_iterator(layout.root())) {
        EXPECT_EQ(entry.path().filename().string().find("hangman."), std::string::npos) << "left behind: " << entry.path();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, CpbToolInputError,
    testing::Values(BadInput{{"add", "kernel-library", "x"}, "unknown tag \"kernel-library\""},
                    BadInput{{"replace", "splash-switch", "on"}, "\"on\" is not a 32-bit unsigned number"},
                    BadInput{{"add", "main-class", std::string(400, 'x')}, "but the section holds 1024"},
                    BadInput{{"replace", "dll-map", "X=y"}, "matches 7 records; select one with @N"},
                    BadInput{{"remove", "event-source"}, "no record matches \"event-source\""},
                    BadInput{{"remove", "@24"}, "no record matches \"@24\""},
                    BadInput{{"set-word", "9", "1"}, "header words are 0 to 8"},
                    BadInput{{"add", "profile", "p", "--at", "25"}, "at most the record count"},
                    BadInput{{"add", "profile", "p", "--before", "0"}, "add: expected FILE TAG VALUE [--at N]"}));

TEST(CpbTool, RefusesFilesThatAreNotExecutablesWithABlock) {
    Layout layout;
    const fs::path text = layout.root() / "notes.txt";
    std::ofstream(text) << "just some text that is long enough to be read as a header ..........";
    const std::string before = fileBytes(text);
    Result r = cpbtool({"add", text.string(), "profile", "x"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(text.string() + " is not an executable image (neither ELF nor PE)"), std::string::npos)
        << r.err;
    EXPECT_EQ(fileBytes(text), before);

    r = cpbtool({"dump", "/bin/sh"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("/bin/sh has no .config section"), std::string::npos) << r.err;

    r = cpbtool({"dump", (layout.root() / "missing").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot read"), std::string::npos) << r.err;
}

TEST(CpbTool, BlockWhoseRecordsRunPastTheSectionIsReported) {
    Layout layout;
    layout.cpb({"set-word", "6", "500"});
    const Result r = cpbtool({"add", layout.exe().string(), "profile", "x"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("runs past the end of the section"), std::string::npos) << r.err;
    // The dump still shows the header, then says where the records fail.
    const Result dump = cpbtool({"dump", layout.exe().string()});
    EXPECT_EQ(dump.status, 1);
    EXPECT_NE(dump.out.find("6 count: 500"), std::string::npos) << dump.out;
    EXPECT_NE(dump.err.find("runs past the end of the section"), std::string::npos) << dump.err;
}

#ifdef WINDOWS_EXE
TEST(CpbTool, EditsTheBlockOfAPeImage) {
    Layout layout(WINDOWS_EXE, false);
    const std::string before = fileBytes(layout.exe());
    layout.cpb({"replace", "kernel-dll", "ZKRN6407.dll"});
    layout.cpb({"add", "event-source", "HangMan"});
    const Result dump = cpbtool({"dump", layout.exe().string()});
    EXPECT_NE(dump.out.find("@14 tag 13 kernel-dll length 16: \"ZKRN6407.dll\""), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find("@24 tag 11 event-source length 8: \"HangMan\""), std::string::npos) << dump.out;
    EXPECT_EQ(fileBytes(layout.exe()).size(), before.size());
}
#endif

}  // namespace
}  // namespace e2e
