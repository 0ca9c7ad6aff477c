#include <gtest/gtest.h>

#include "runtime/Paths.h"

namespace {

TEST(Paths, ParentFolderCutsAtTheLastSeparatorAndKeepsARoot) {
    EXPECT_EQ(rt::parentFolder(u"/home/pat/words/animals.txt"), u"/home/pat/words");
    EXPECT_EQ(rt::parentFolder(u"/list.txt"), u"/");
    EXPECT_EQ(rt::parentFolder(u"list.txt"), u"");
    EXPECT_EQ(rt::parentFolder(u"a/b/"), u"a/b");
}

TEST(Paths, JoinPathAddsOneSeparator) {
    EXPECT_EQ(rt::joinPath(u"/opt/hangman", u"words"), u"/opt/hangman/words");
    EXPECT_EQ(rt::joinPath(u"/", u"words"), u"/words");
    EXPECT_EQ(rt::joinPath(u"", u"words"), u"words");
}

}  // namespace
