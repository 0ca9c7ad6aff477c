#include <algorithm>
#include <string>

#include "GuiTest.h"

namespace {

struct Seen {
    std::string kind;
    int clickCount;
    int selected;
    bool operator==(const Seen&) const = default;
};

class Recorder final : public rt::MouseListener {
public:
    Recorder(rt::ListBox& list, std::vector<Seen>& seen) : list_(list), seen_(seen) {}
    void mousePressed(const rt::MouseEvent& e) override { seen_.push_back({"press", e.clickCount, list_.selectedIndex()}); }
    void mouseClicked(const rt::MouseEvent& e) override { seen_.push_back({"click", e.clickCount, list_.selectedIndex()}); }

private:
    rt::ListBox& list_;
    std::vector<Seen>& seen_;
};

class ListBoxTest : public GuiTest {
protected:
    ListBoxTest() : list(*tk().createListBox()) {
        frame->contentPane().add(*tk().createScrollPane(list), rt::BorderPlace::Center);
        list.addMouseListener(std::make_unique<Recorder>(list, seen));
        for (const char16_t* item : {u"alpha", u"beta", u"gamma"}) list.model().append(item);
        show();
    }

    std::vector<Seen> clicks() const {
        std::vector<Seen> result;
        for (const Seen& s : seen)
            if (s.kind == "click") result.push_back(s);
        return result;
    }

    rt::ListBox& list;
    std::vector<Seen> seen;
};

TEST_F(ListBoxTest, SelectionMovesOnThePressBeforeListenersHearOfIt) {
    driver().clickListRow(list, 1, 1);
    EXPECT_EQ(seen, (std::vector<Seen>{{"press", 1, 1}, {"click", 1, 1}}));
    EXPECT_EQ(list.selectedValue(), u"beta");
}

TEST_F(ListBoxTest, DoubleClickIsReportedAsCountOneThenCountTwo) {
    driver().clickListRow(list, 2, 2);
    EXPECT_EQ(clicks(), (std::vector<Seen>{{"click", 1, 2}, {"click", 2, 2}}));
}

TEST_F(ListBoxTest, ThirdQuickClickCountsThreeAndSeparateClicksStayAtOne) {
    driver().clickListRow(list, 0, 3);
    driver().clickListRow(list, 0, 1);
    driver().clickListRow(list, 1, 1);
    EXPECT_EQ(clicks(), (std::vector<Seen>{{"click", 1, 0}, {"click", 2, 0}, {"click", 3, 0}, {"click", 1, 0}, {"click", 1, 1}}));
}

TEST_F(ListBoxTest, BelowTheLastRowMeansTheLastRow) {
    const rt::Rect last = list.rowBounds(2);
    EXPECT_EQ(list.locationToIndex({last.x + 1, last.y + last.height + 40}), 2);
    EXPECT_EQ(list.locationToIndex({last.x + 1, last.y + 1}), 2);
    EXPECT_EQ(list.locationToIndex({1, list.rowBounds(0).y + 1}), 0);
    driver().clickListRow(list, -1, 2);
    EXPECT_EQ(clicks(), (std::vector<Seen>{{"click", 1, 2}, {"click", 2, 2}}));
}

TEST_F(ListBoxTest, ClickingARowOutOfSightScrollsToItFirst) {
    std::vector<rt::String> items;
    for (int i = 0; i < 1000; ++i) items.push_back(rt::fromUtf8(std::to_string(i)));
    list.model().assign(items);
    driver().clickListRow(list, 900, 2);
    EXPECT_EQ(clicks(), (std::vector<Seen>{{"click", 1, 900}, {"click", 2, 900}}));
}

TEST_F(ListBoxTest, EmptyListHasNoRowUnderAnyPoint) {
    list.model().clear();
    EXPECT_EQ(list.locationToIndex({5, 5}), -1);
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(list.selectedValue(), std::nullopt);
}

TEST_F(ListBoxTest, KeyboardMovesTheSelectionWithoutAClick) {
    list.setSelectedIndex(0);
    driver().pressKey(list, rt::TestDriver::Key::Down);
    EXPECT_EQ(list.selectedIndex(), 1);
    driver().pressKey(list, rt::TestDriver::Key::End);
    EXPECT_EQ(list.selectedIndex(), 2);
    EXPECT_TRUE(seen.empty());
}

TEST_F(ListBoxTest, SelectByValueAndClear) {
    list.setSelectedValue(u"gamma", false);
    EXPECT_EQ(list.selectedIndex(), 2);
    list.setSelectedValue(u"missing", false);
    EXPECT_EQ(list.selectedIndex(), -1);
    list.setSelectedIndex(1);
    list.clearSelection();
    EXPECT_EQ(list.selectedIndex(), -1);
}

TEST_F(ListBoxTest, MillionItemsAssignAndScrollIntoView) {
    std::vector<rt::String> items;
    items.reserve(1'000'000);
    for (int i = 0; i < 1'000'000; ++i) items.push_back(rt::fromUtf8("word " + std::to_string(i)));
    list.model().assign(items);
    EXPECT_EQ(list.model().size(), 1'000'000);
    EXPECT_EQ(list.model().at(999'999), u"word 999999");
    list.setSelectedValue(u"word 999998", true);
    driver().processEvents();
    EXPECT_EQ(list.selectedIndex(), 999'998);
    const rt::Rect row = list.rowBounds(999'998);
    const rt::Rect pane = frame->contentPane().componentAt(0).bounds();
    EXPECT_GE(row.y, 0);
    EXPECT_LE(row.y + row.height, pane.height);
}

// Scrolled into view from below and from above; a row shown already moves
// nothing, and the selection is left as it is.
TEST_F(ListBoxTest, EnsureIndexIsVisibleScrollsOnlyWhenTheRowIsNotShown) {
    std::vector<rt::String> items;
    for (int i = 0; i < 1000; ++i) items.push_back(rt::fromUtf8("word " + std::to_string(i)));
    list.model().share(items);
    list.setSelectedIndex(3);
    driver().processEvents();
    const int paneHeight = frame->contentPane().componentAt(0).bounds().height;
    const auto shown = [&](int index) {
        const rt::Rect row = list.rowBounds(index);
        return row.y >= 0 && row.y + row.height <= paneHeight;
    };
    ASSERT_FALSE(shown(900));
    list.ensureIndexIsVisible(900);
    driver().processEvents();
    EXPECT_TRUE(shown(900));
    const int at = list.rowBounds(900).y;
    list.ensureIndexIsVisible(899);
    driver().processEvents();
    EXPECT_EQ(list.rowBounds(900).y, at);
    list.ensureIndexIsVisible(10);
    driver().processEvents();
    EXPECT_TRUE(shown(10));
    EXPECT_FALSE(shown(900));
    list.ensureIndexIsVisible(-1);
    list.ensureIndexIsVisible(1000);
    EXPECT_EQ(list.selectedIndex(), 3);
}

TEST_F(ListBoxTest, ASharedVectorIsShownAsTheCallerChangesIt) {
    std::vector<rt::String> items{u"one", u"two", u"three"};
    list.model().share(items);
    EXPECT_EQ(list.model().size(), 3);
    EXPECT_EQ(list.model().at(2), u"three");
    items.insert(items.begin() + 1, u"new");
    list.model().sharedItemInserted(1);
    ASSERT_EQ(list.model().size(), 4);
    EXPECT_EQ(list.model().at(1), u"new");
    EXPECT_EQ(list.model().at(2), u"two");
    items.erase(items.begin());
    list.model().sharedItemRemoved(0);
    ASSERT_EQ(list.model().size(), 3);
    EXPECT_EQ(list.model().at(0), u"new");
    list.setSelectedValue(u"three", true);
    EXPECT_EQ(list.selectedIndex(), 2);

    // Appending goes on with a copy: the caller's vector is not changed.
    list.model().append(u"own");
    EXPECT_EQ(items, (std::vector<rt::String>{u"new", u"two", u"three"}));
    EXPECT_EQ(list.model().size(), 4);
    EXPECT_EQ(list.model().at(3), u"own");
    items.clear();
    EXPECT_EQ(list.model().at(0), u"new");
}

// A list shown again from the start would scroll back to its top.
TEST_F(ListBoxTest, AOneRowChangeKeepsTheRowsInViewWhereTheyWere) {
    std::vector<rt::String> items;
    for (int i = 0; i < 1000; ++i) items.push_back(rt::fromUtf8("word " + std::to_string(i)));
    list.model().share(items);
    list.setSelectedValue(u"word 900", true);
    driver().processEvents();
    const int shownAt = list.rowBounds(900).y;
    items.erase(items.begin() + 950);
    list.model().sharedItemRemoved(950);
    items.push_back(u"last");
    list.model().sharedItemInserted(static_cast<int>(items.size() - 1));
    driver().processEvents();
    EXPECT_EQ(list.rowBounds(900).y, shownAt);
    EXPECT_EQ(list.selectedValue(), u"word 900");
    EXPECT_EQ(list.model().at(999), u"last");
}

// A point at the left edge of a row, where no text is drawn.
rt::Point rowEdge(rt::ListBox& list, int row) {
    const rt::Rect bounds = list.rowBounds(row);
    return {bounds.x + 1, bounds.y + bounds.height / 2};
}

// The selection stays with its word when rows come and go before it, and
// the list is drawn again as it now is once the events have been handled.
TEST_F(ListBoxTest, ARowInsertedOrRemovedBeforeTheSelectionMovesItWithItsWord) {
    std::vector<rt::String> items{u"one", u"two", u"three", u"four"};
    list.model().share(items);
    list.setSelectedIndex(2);
    driver().processEvents();
    const rt::Color plain = driver().pixelAt(list, rowEdge(list, 0));
    const rt::Color selected = driver().pixelAt(list, rowEdge(list, 2));
    ASSERT_NE(plain, selected);
    // "three" selected at row, and drawn so, the row below it drawn plain.
    const auto expectThreeSelectedAt = [&](int row) {
        driver().processEvents();
        EXPECT_EQ(list.selectedIndex(), row);
        EXPECT_EQ(list.selectedValue(), u"three");
        EXPECT_EQ(driver().pixelAt(list, rowEdge(list, row)), selected);
        EXPECT_EQ(driver().pixelAt(list, rowEdge(list, row + 1)), plain);
    };

    items.insert(items.begin(), u"zero");
    list.model().sharedItemInserted(0);
    expectThreeSelectedAt(3);
    EXPECT_EQ(driver().pixelAt(list, rowEdge(list, 2)), plain);

    items.erase(items.begin() + 1);
    list.model().sharedItemRemoved(1);
    items.erase(items.begin());
    list.model().sharedItemRemoved(0);
    expectThreeSelectedAt(1);
}

// The selected row gone, the list has no selection: neither a neighbour
// nor the row that takes its place is selected, whether the row is removed
// alone or a shared vector is shown shorter.
TEST_F(ListBoxTest, ARemovedSelectedRowLeavesNoSelection) {
    std::vector<rt::String> items{u"one", u"two", u"three", u"four"};
    list.model().share(items);
    list.setSelectedIndex(1);
    items.erase(items.begin() + 1);
    list.model().sharedItemRemoved(1);
    driver().processEvents();
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(list.selectedValue(), std::nullopt);

    list.setSelectedIndex(2);
    items.pop_back();
    list.model().share(items);
    driver().processEvents();
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(list.model().size(), 2);
}

// A list given new contents (its own items, or another caller's vector)
// has no selection, even where the old row number still exists: that row
// is another word now. The vector shown already, sorted in place and shown
// again, keeps the selected row, which its caller selects anew.
TEST_F(ListBoxTest, NewContentsLeaveNoSelectionAndTheSameVectorKeepsIt) {
    list.setSelectedIndex(1);
    list.model().assign({u"delta", u"epsilon", u"zeta", u"eta"});
    driver().processEvents();
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(list.selectedValue(), std::nullopt);

    std::vector<rt::String> first{u"one", u"two", u"three"};
    std::vector<rt::String> second{u"red", u"green", u"blue"};
    list.model().share(first);
    list.setSelectedIndex(2);
    list.model().share(second);
    driver().processEvents();
    EXPECT_EQ(list.selectedIndex(), -1);

    list.setSelectedIndex(0);
    std::sort(second.begin(), second.end());
    list.model().share(second);
    driver().processEvents();
    EXPECT_EQ(list.selectedIndex(), 0);
    EXPECT_EQ(list.selectedValue(), u"blue");
}

}  // namespace
