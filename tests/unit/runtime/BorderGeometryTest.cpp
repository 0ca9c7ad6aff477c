#include <gtest/gtest.h>

#include "runtime/BorderGeometry.h"

namespace {

using rt::BorderPlace;
using rt::Rect;
using rt::Size;
using rt::border::Item;
using rt::border::Items;
using rt::border::layout;
using rt::border::placeIndex;

Items with(std::initializer_list<std::pair<BorderPlace, Item>> placed) {
    Items items;
    for (const auto& [place, item] : placed) items[placeIndex(place)] = item;
    return items;
}

Rect at(const rt::border::Rects& rects, BorderPlace place) { return rects[placeIndex(place)]; }

// The rectangles of all five places: north, west, centre, east, south.
rt::border::Rects places(Rect north, Rect west, Rect centre, Rect east, Rect south) {
    rt::border::Rects rects{};
    rects[placeIndex(BorderPlace::North)] = north;
    rects[placeIndex(BorderPlace::West)] = west;
    rects[placeIndex(BorderPlace::Center)] = centre;
    rects[placeIndex(BorderPlace::East)] = east;
    rects[placeIndex(BorderPlace::South)] = south;
    return rects;
}

// A dialog's usual content: a field above, a list in the middle with a
// column beside it on each side, buttons below.
const Items all = with({{BorderPlace::North, {{100, 20}, {40, 10}}},
                        {BorderPlace::West, {{30, 50}, {10, 20}}},
                        {BorderPlace::Center, {{80, 60}, {20, 30}}},
                        {BorderPlace::East, {{40, 70}, {15, 25}}},
                        {BorderPlace::South, {{60, 30}, {30, 12}}}});

TEST(BorderGeometry, SizesAddTheMiddleRowToTheSpanningEdges) {
    EXPECT_EQ(rt::border::preferredLayoutSize(all), (Size{150, 120}));
    EXPECT_EQ(rt::border::minimumLayoutSize(all), (Size{45, 52}));
    const Items wideNorth = with({{BorderPlace::North, {{300, 20}, {200, 5}}}, {BorderPlace::Center, {{80, 60}, {20, 30}}}});
    EXPECT_EQ(rt::border::preferredLayoutSize(wideNorth), (Size{300, 80}));
    EXPECT_EQ(rt::border::minimumLayoutSize(wideNorth), (Size{200, 35}));
    EXPECT_EQ(rt::border::preferredLayoutSize(Items{}), (Size{0, 0}));
}

TEST(BorderGeometry, CentreTakesTheRestAndEdgesKeepTheirPreferredSizes) {
    EXPECT_EQ(layout(all, {400, 300}), places({0, 0, 400, 20}, {0, 20, 30, 250}, {30, 20, 330, 250},
                                              {360, 20, 40, 250}, {0, 270, 400, 30}));
}

TEST(BorderGeometry, EmptyPlacesTakeNoRoomAndGetNoRectangle) {
    const Items items = with({{BorderPlace::North, {{50, 20}, {50, 20}}}, {BorderPlace::South, {{50, 30}, {50, 30}}}});
    EXPECT_EQ(layout(items, {200, 100}), places({0, 0, 200, 20}, {}, {}, {}, {0, 70, 200, 30}));
    const auto centreOnly = layout(with({{BorderPlace::Center, {{10, 10}, {5, 5}}}}), {200, 100});
    EXPECT_EQ(at(centreOnly, BorderPlace::Center), (Rect{0, 0, 200, 100}));
}

TEST(BorderGeometry, ShortOfPreferredTheCentreGivesWayFirstDownToNothing) {
    // 100 high: 20 + 30 above and below leave the middle row 50 of its 70.
    EXPECT_EQ(at(layout(all, {150, 100}), BorderPlace::Center).height, 50);
    // 60 high: 10, below the row's minimum, and the edges keep their sizes.
    EXPECT_EQ(layout(all, {150, 60}), places({0, 0, 150, 20}, {0, 20, 30, 10}, {30, 20, 80, 10},
                                             {110, 20, 40, 10}, {0, 30, 150, 30}));
    // Across: 60 wide leaves the centre nothing and east gives 10.
    EXPECT_EQ(layout(all, {60, 120}), places({0, 0, 60, 20}, {0, 20, 30, 70}, {30, 20, 0, 70},
                                             {30, 20, 30, 70}, {0, 90, 60, 30}));
}

TEST(BorderGeometry, EdgesThatDoNotFitShrinkTheFarOneFirstAndNeverOverlap) {
    // 40 high: south gives the 10 missing.
    EXPECT_EQ(at(layout(all, {150, 40}), BorderPlace::South), (Rect{0, 20, 150, 20}));
    // 30 high: south down to its minimum 12, north gives the other 2.
    const auto rects = layout(all, {150, 30});
    EXPECT_EQ(at(rects, BorderPlace::North), (Rect{0, 0, 150, 18}));
    EXPECT_EQ(at(rects, BorderPlace::Center), (Rect{30, 18, 80, 0}));
    EXPECT_EQ(at(rects, BorderPlace::South), (Rect{0, 18, 150, 12}));
}

TEST(BorderGeometry, BelowTheMinimumPlacesKeepTheirOrderAndOverflowAtTheFarSide) {
    EXPECT_EQ(layout(all, {0, 0}),
              places({0, 0, 0, 10}, {0, 10, 10, 0}, {10, 10, 0, 0}, {10, 10, 15, 0}, {0, 10, 0, 12}));
}

TEST(BorderGeometry, OccupantsReplaceTheHolderAndMoveAComponentAlreadyPlaced) {
    int a = 0, b = 0;
    rt::border::Occupants<int> places;
    EXPECT_EQ(places.put(a, BorderPlace::North), nullptr);
    EXPECT_EQ(places.put(a, BorderPlace::North), nullptr);  // already there: nothing displaced
    EXPECT_EQ(places.put(b, BorderPlace::North), &a);
    EXPECT_EQ(places.at(BorderPlace::North), &b);
    EXPECT_EQ(places.put(b, BorderPlace::South), nullptr);
    EXPECT_EQ(places.at(BorderPlace::North), nullptr);
    EXPECT_EQ(places.at(BorderPlace::South), &b);
}

}  // namespace
