#include <gtest/gtest.h>

#include <vector>

#include "runtime/FlowGeometry.h"

namespace {

using rt::Rect;
using rt::Size;
using rt::flow::layout;
using rt::flow::preferredLayoutSize;

TEST(FlowGeometry, PreferredSizeIsTheRowWithAGapAroundAndBetween) {
    EXPECT_EQ(preferredLayoutSize({{40, 20}, {60, 30}}), (Size{115, 40}));
    EXPECT_EQ(preferredLayoutSize({{40, 20}}), (Size{50, 30}));
    // An empty panel still has its gap on every side.
    EXPECT_EQ(preferredLayoutSize({}), (Size{10, 10}));
    EXPECT_TRUE(layout({}, {100, 100}).empty());
}

TEST(FlowGeometry, TheRowIsCentredAcrossAndEachComponentOnTheRowsHeight) {
    const std::vector<Size> sizes{{40, 20}, {60, 30}};
    // Row 105 wide in 205: 50 on each side.
    EXPECT_EQ(layout(sizes, {205, 100}), (std::vector<Rect>{{50, 10, 40, 20}, {95, 5, 60, 30}}));
    // An odd pixel left over goes to the left.
    EXPECT_EQ(layout(sizes, {206, 100}).front().x, 51);
}

TEST(FlowGeometry, ARowWiderThanTheAreaKeepsItsSizesAndIsCutOffAtBothSides) {
    const std::vector<Rect> rects = layout({{40, 20}, {60, 20}}, {65, 10});
    EXPECT_EQ(rects, (std::vector<Rect>{{-20, 5, 40, 20}, {25, 5, 60, 20}}));
    EXPECT_EQ(rects.back().x + rects.back().width - 65, 20);
}

}  // namespace
