#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "startup/os.h"
#include "startup/rtLookup.h"

namespace {

namespace fs = std::filesystem;

class DirectoryList : public testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("kov-lookup-" + std::to_string(getpid()));
        fs::create_directories(root_ / "a");
        fs::create_directories(root_ / "b");
        fs::create_directories(root_ / "c" / "kov640.home");  // a directory counts too
        std::ofstream(root_ / "b" / "kov640.home") << "";
    }
    void TearDown() override { fs::remove_all(root_); }
    std::string dir(const char* name) const { return (root_ / name).string(); }

    fs::path root_;
};

TEST_F(DirectoryList, FirstDirectoryHoldingTheFileWins) {
    str::Path found;
    const std::string list = dir("a") + ":" + dir("b") + ":" + dir("c");
    ASSERT_TRUE(rt_lookup::searchDirectoryList(list.c_str(), ':', "kov640.home", found));
    EXPECT_EQ(std::string(found), dir("b") + "/kov640.home");
    const std::string reversed = dir("c") + ":" + dir("b");
    ASSERT_TRUE(rt_lookup::searchDirectoryList(reversed.c_str(), ':', "kov640.home", found));
    EXPECT_EQ(std::string(found), dir("c") + "/kov640.home");
    EXPECT_FALSE(rt_lookup::searchDirectoryList(dir("a").c_str(), ':', "kov640.home", found));
    EXPECT_FALSE(rt_lookup::searchDirectoryList(nullptr, ':', "kov640.home", found));
}

TEST_F(DirectoryList, TrailingSeparatorGetsNoSecondOne) {
    str::Path found;
    const std::string list = dir("b") + "/";
    ASSERT_TRUE(rt_lookup::searchDirectoryList(list.c_str(), ':', "kov640.home", found));
    EXPECT_EQ(std::string(found), dir("b") + "/kov640.home");
}

// A directory below b whose path has exactly length characters.
std::string directoryOfLength(const std::string& base, std::size_t length) {
    std::string path = base;
    while (path.size() + 101 < length) path += "/" + std::string(99, 'x');
    path += "/" + std::string(length - path.size() - 1, 'y');
    fs::create_directories(path);
    std::ofstream(path + "/kov640.home") << "";
    return path;
}

TEST_F(DirectoryList, SkipsElementsTooLongToJoinWithTheName) {
    str::Path found;
    // element + name + 1 of 260 or more is skipped, even though it exists.
    const std::string tooLong = directoryOfLength(dir("b"), 260 - 12);
    const std::string fits = directoryOfLength(dir("a"), 259 - 12);
    ASSERT_TRUE(rt_lookup::searchDirectoryList((tooLong + "::" + dir("b")).c_str(), ':', "kov640.home", found));
    EXPECT_EQ(std::string(found), dir("b") + "/kov640.home");
    ASSERT_TRUE(rt_lookup::searchDirectoryList((fits + ":" + dir("b")).c_str(), ':', "kov640.home", found));
    EXPECT_EQ(std::string(found), fits + "/kov640.home");
    EXPECT_EQ(std::string(found).size(), 259u);
}

// Empty and relative elements would search the current directory, where
// anyone may have put a marker: they are skipped.
TEST_F(DirectoryList, EmptyAndRelativeElementsAreSkipped) {
    str::Path found;
    const fs::path before = fs::current_path();
    fs::current_path(root_);
    const bool empty = rt_lookup::searchDirectoryList((dir("a") + "::").c_str(), ':', "kov640.home", found);
    const bool relative =
        rt_lookup::searchDirectoryList(("b:./b:" + dir("a")).c_str(), ':', "kov640.home", found);
    fs::current_path(root_ / "b");
    const bool inside = rt_lookup::searchDirectoryList(":.", ':', "kov640.home", found);
    fs::current_path(before);
    EXPECT_FALSE(empty);
    EXPECT_FALSE(relative);
    EXPECT_FALSE(inside);
    const std::string absoluteAfter = "b:" + dir("b");
    ASSERT_TRUE(rt_lookup::searchDirectoryList(absoluteAfter.c_str(), ':', "kov640.home", found));
    EXPECT_EQ(std::string(found), dir("b") + "/kov640.home");
}

TEST(Messages, EmptyTextShowsNothingAndStillExitsWithOne) {
    EXPECT_EXIT(os::fatal(""), testing::ExitedWithCode(1), "^$");
    EXPECT_EXIT(os::fatal(nullptr), testing::ExitedWithCode(1), "^$");
    EXPECT_EXIT(os::fatal("Invalid CPB"), testing::ExitedWithCode(1), "^Invalid CPB\n$");
    EXPECT_EXIT(os::fatal("line one\r\nline two\r\n"), testing::ExitedWithCode(1), "^line one\nline two\n$");
}

}  // namespace
