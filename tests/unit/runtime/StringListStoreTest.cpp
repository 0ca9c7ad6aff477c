#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "runtime/StringListStore.h"

namespace {

using rt::String;
using rt::StringListStore;
using Strings = std::vector<String>;

TEST(StringListStoreTest, StartsEmptyWithItsOwnItems) {
    StringListStore store;
    EXPECT_TRUE(store.empty());
    EXPECT_EQ(store.size(), 0u);
    EXPECT_EQ(store.indexOf(u"a", 10), -1);
    EXPECT_THROW(store.at(0), std::out_of_range);
    store.append(u"a");
    EXPECT_EQ(store.items(), Strings{u"a"});
}

TEST(StringListStoreTest, SharedItemsAreReadWhereTheyAreWithTheCallersChanges) {
    Strings words{u"b", u"a"};
    StringListStore store;
    store.share(words);
    EXPECT_TRUE(store.shows(words));
    EXPECT_EQ(&store.items(), &words);
    words.push_back(u"c");
    words[0] = u"z";
    ASSERT_EQ(store.size(), 3u);
    EXPECT_EQ(store[0], u"z");
    EXPECT_EQ(&store.at(2), &words[2]);
}

TEST(StringListStoreTest, AppendingToSharedItemsCopiesThemFirstAndLeavesTheCallersAlone) {
    const Strings words{u"x", u"y"};
    StringListStore store;
    store.share(words);
    store.append(u"z");
    EXPECT_EQ(words, (Strings{u"x", u"y"}));
    EXPECT_FALSE(store.shows(words));
    EXPECT_EQ(store.items(), (Strings{u"x", u"y", u"z"}));
    store.append(store[0]);
    EXPECT_EQ(store.items(), (Strings{u"x", u"y", u"z", u"x"}));
}

TEST(StringListStoreTest, AssignKeepsACopyAndShareDropsTheOwnItems) {
    Strings words{u"one"};
    StringListStore store;
    store.assign(words);
    words[0] = u"changed";
    EXPECT_FALSE(store.shows(words));
    EXPECT_EQ(store.items(), Strings{u"one"});
    const Strings other{u"p", u"q"};
    store.share(other);
    EXPECT_EQ(store.items(), other);
    store.assign(store.items());
    EXPECT_FALSE(store.shows(other));
    EXPECT_EQ(store.items(), other);
    store.assign({});
    EXPECT_TRUE(store.empty());
}

TEST(StringListStoreTest, IndexOfFindsTheFirstEqualItemBeforeTheLimit) {
    const Strings words{u"a", u"b", u"a", u"c"};
    StringListStore store;
    store.share(words);
    EXPECT_EQ(store.indexOf(u"a", 4), 0);
    EXPECT_EQ(store.indexOf(u"c", 4), 3);
    EXPECT_EQ(store.indexOf(u"c", 3), -1);
    EXPECT_EQ(store.indexOf(u"c", 100), 3);
    EXPECT_EQ(store.indexOf(u"A", 4), -1);
    EXPECT_EQ(store.indexOf(u"", 4), -1);
}

TEST(StringListStoreTest, AtChecksTheRange) {
    const Strings words{u"a", u"b"};
    StringListStore store;
    store.share(words);
    EXPECT_EQ(store.at(1), u"b");
    EXPECT_THROW(store.at(2), std::out_of_range);
    EXPECT_THROW(store.at(-1), std::out_of_range);
}

}  // namespace
