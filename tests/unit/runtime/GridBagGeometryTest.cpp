#include <gtest/gtest.h>

#include <vector>

#include "runtime/GridBagGeometry.h"

namespace {

using rt::Anchor;
using rt::CellConstraints;
using rt::Fill;
using rt::Rect;
using rt::Size;
using rt::gridbag::Item;
using rt::gridbag::layout;

// One item of the given preferred size (also its minimum) at a cell block,
// filling it, without weights or insets; tests adjust the rest.
Item cell(int x, int y, int width = 1, int height = 1, Size preferred = {10, 10}) {
    CellConstraints c;
    c.gridx = x;
    c.gridy = y;
    c.gridwidth = width;
    c.gridheight = height;
    c.fill = Fill::Both;
    return Item{c, preferred, preferred};
}

Rect placeOne(const Item& item, Size area) { return layout({item}, area).at(0); }

Item weighted(Item item, double weightx, double weighty) {
    item.constraints.weightx = weightx;
    item.constraints.weighty = weighty;
    return item;
}

// The framework's base state: weight 100, insets 1,2,1,2.
Item formItem(int x, int y, int width, Size preferred, Anchor anchor, Fill fill,
              double weight = 100.0) {
    Item item = weighted(cell(x, y, width, 1, preferred), weight, weight);
    item.constraints.anchor = anchor;
    item.constraints.fill = fill;
    item.constraints.insets = {1, 2, 1, 2};
    return item;
}

TEST(GridBagGeometry, ExtraSpaceIsSharedPerRowAndColumnByWeight) {
    const std::vector<Item> items{
        weighted(cell(0, 0), 100, 100),
        weighted(cell(1, 0), 500, 100),
        weighted(cell(0, 1), 100, 500),
    };
    // 600 spare pixels each way: the 500 column and row take five times the
    // share of the 100 ones.
    EXPECT_EQ(layout(items, {620, 620}),
              (std::vector<Rect>{{0, 0, 110, 110}, {110, 0, 510, 110}, {0, 110, 110, 510}}));
}

TEST(GridBagGeometry, WithoutWeightsTheGridIsCentred) {
    const std::vector<Item> items{cell(0, 0, 1, 1, {40, 20}), cell(1, 0, 1, 1, {20, 20})};
    EXPECT_EQ(layout(items, {100, 100}), (std::vector<Rect>{{20, 40, 40, 20}, {60, 40, 20, 20}}));
}

TEST(GridBagGeometry, SpanningNeedGoesToLastColumnOrByWeight) {
    std::vector<Item> items{cell(0, 0, 1, 1, {20, 20}), cell(1, 0, 1, 1, {20, 20}),
                            cell(0, 1, 2, 1, {100, 10})};
    EXPECT_EQ(rt::gridbag::preferredLayoutSize(items), (Size{100, 30}));
    EXPECT_EQ(layout(items, {100, 30}),
              (std::vector<Rect>{{0, 0, 20, 20}, {20, 0, 80, 20}, {0, 20, 100, 10}}));

    items[0] = weighted(items[0], 100, 0);
    items[1] = weighted(items[1], 300, 0);
    EXPECT_EQ(layout(items, {100, 30}),
              (std::vector<Rect>{{0, 0, 35, 20}, {35, 0, 65, 20}, {0, 20, 100, 10}}));
}

TEST(GridBagGeometry, SpanningWeightGoesToLastColumn) {
    const std::vector<Item> items{cell(0, 0, 1, 1, {20, 10}), cell(1, 0, 1, 1, {20, 10}),
                                  weighted(cell(0, 1, 2, 1, {40, 10}), 100, 0)};
    EXPECT_EQ(layout(items, {140, 20}),
              (std::vector<Rect>{{0, 0, 20, 10}, {20, 0, 120, 10}, {0, 10, 140, 10}}));
}

TEST(GridBagGeometry, SpansCoverTheirCellBlock) {
    const std::vector<Item> items{cell(0, 0, 1, 2), cell(1, 0), cell(2, 0), cell(1, 1, 2, 1),
                                  cell(0, 2, 3, 1)};
    EXPECT_EQ(layout(items, {30, 30}),
              (std::vector<Rect>{{0, 0, 10, 20},
                                 {10, 0, 10, 10},
                                 {20, 0, 10, 10},
                                 {10, 10, 20, 10},
                                 {0, 20, 30, 10}}));
}

TEST(GridBagGeometry, RelativePlacementAndRemainderSpans) {
    using rt::Relative;
    using rt::Remainder;
    const std::vector<Item> items{
        cell(Relative, Relative),             // first row, first column
        cell(Relative, Relative),             // after it
        cell(Relative, Relative, Remainder),  // ends the row
        cell(Relative, Relative, Remainder),  // next row, as wide as the grid
        cell(1, Relative),                    // below the last item in column 1
        cell(Relative, 2),                    // after the last item in row 2
    };
    EXPECT_EQ(layout(items, {30, 30}), (std::vector<Rect>{{0, 0, 10, 10},
                                                          {10, 0, 10, 10},
                                                          {20, 0, 10, 10},
                                                          {0, 10, 30, 10},
                                                          {10, 20, 10, 10},
                                                          {20, 20, 10, 10}}));
}

TEST(GridBagGeometry, AnchorsAndFillsInsideInsets) {
    struct Case {
        Anchor anchor;
        Fill fill;
        Rect expected;
    };
    // The cell block is the whole 100x60 area; insets leave {2, 1, 96, 58}
    // for a 20x10 item.
    const Case cases[] = {
        {Anchor::NorthWest, Fill::None, {2, 1, 20, 10}},
        {Anchor::NorthWest, Fill::Horizontal, {2, 1, 96, 10}},
        {Anchor::NorthWest, Fill::Vertical, {2, 1, 20, 58}},
        {Anchor::NorthWest, Fill::Both, {2, 1, 96, 58}},
        {Anchor::Center, Fill::None, {40, 25, 20, 10}},
        {Anchor::Center, Fill::Horizontal, {2, 25, 96, 10}},
        {Anchor::North, Fill::None, {40, 1, 20, 10}},
        {Anchor::NorthEast, Fill::None, {78, 1, 20, 10}},
        {Anchor::East, Fill::None, {78, 25, 20, 10}},
        {Anchor::SouthEast, Fill::None, {78, 49, 20, 10}},
        {Anchor::South, Fill::None, {40, 49, 20, 10}},
        {Anchor::SouthWest, Fill::None, {2, 49, 20, 10}},
        {Anchor::West, Fill::None, {2, 25, 20, 10}},
    };
    for (const Case& c : cases) {
        const Item item = formItem(0, 0, 1, {20, 10}, c.anchor, c.fill);
        EXPECT_EQ(placeOne(item, {100, 60}), c.expected)
            << "anchor " << static_cast<int>(c.anchor) << " fill " << static_cast<int>(c.fill);
    }
}

TEST(GridBagGeometry, LayoutSizesIncludeInsets) {
    const std::vector<Item> items{formItem(0, 0, 1, {20, 10}, Anchor::Center, Fill::None),
                                  formItem(1, 0, 1, {30, 12}, Anchor::Center, Fill::None)};
    EXPECT_EQ(rt::gridbag::preferredLayoutSize(items), (Size{58, 14}));
    std::vector<Item> smaller = items;
    smaller[1].minimum = {5, 5};
    EXPECT_EQ(rt::gridbag::minimumLayoutSize(smaller), (Size{33, 12}));
    EXPECT_EQ(rt::gridbag::preferredLayoutSize({}), (Size{0, 0}));
}

TEST(GridBagGeometry, MinimumSizesWhenAreaIsSmallerThanPreferred) {
    Item item = cell(0, 0, 1, 1, {100, 50});
    item.minimum = {40, 20};
    item.constraints.fill = Fill::None;
    EXPECT_EQ(placeOne(item, {200, 100}), (Rect{50, 25, 100, 50}));
    // Too narrow for the preferred width: minimum sizes both ways.
    EXPECT_EQ(placeOne(item, {80, 80}), (Rect{20, 30, 40, 20}));
    // Smaller than the minimum without weights: centred and clipped evenly.
    EXPECT_EQ(placeOne(item, {30, 10}), (Rect{-5, -5, 40, 20}));
    // With weights the cells shrink to the area instead.
    EXPECT_EQ(placeOne(weighted(item, 100, 100), {30, 10}), (Rect{0, 0, 30, 10}));
}

TEST(GridBagGeometry, ItemSqueezedToNothingIsParked) {
    Item item = cell(0, 0);
    item.constraints.insets = {1, 2, 1, 2};
    item.minimum = {0, 0};
    const std::vector<Item> items{weighted(item, 1, 1), weighted(cell(1, 0), 1, 1)};
    EXPECT_EQ(layout(items, {2, 2})[0], Rect{});
}

TEST(GridBagGeometry, WordSelectionWindowArrangement) {
    const std::vector<Item> items{
        formItem(0, 0, 1, {45, 17}, Anchor::NorthWest, Fill::None),         // "Words:"
        formItem(0, 1, 2, {100, 100}, Anchor::NorthWest, Fill::Both, 500),  // list
        formItem(0, 2, 1, {90, 25}, Anchor::Center, Fill::None),            // "Select Word"
        formItem(1, 2, 1, {140, 25}, Anchor::Center, Fill::None),  // "Select Random Word"
    };
    // Columns 125 + 175; rows 40, 210, 48 (the list row takes 108 of the 152
    // spare pixels, the others 21 each), starting at 1 to centre the
    // rounding remainder.
    EXPECT_EQ(layout(items, {300, 300}), (std::vector<Rect>{{2, 2, 45, 17},
                                                            {2, 42, 296, 208},
                                                            {17, 262, 90, 25},
                                                            {142, 262, 140, 25}}));
}

TEST(GridBagGeometry, HugeIndexesAndOddValuesStayBounded) {
    Item far = cell(1 << 30, 1 << 30, 1 << 30, -7);
    far.constraints.weightx = -1.0;
    far.constraints.weighty = 1.0 / 0.0;
    // The far item lands in the last column and row the layout keeps; its
    // unusable weights count as none.
    EXPECT_EQ(layout({far, weighted(cell(0, 0), 1, 1)}, {50, 50}),
              (std::vector<Rect>{{40, 40, 10, 10}, {0, 0, 40, 40}}));
}

}  // namespace
