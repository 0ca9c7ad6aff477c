#include <gtest/gtest.h>

#include "runtime/Placement.h"

namespace {

using rt::placeOver;
using rt::Point;

const rt::Rect screen{0, 0, 1000, 800};

TEST(PlacementTest, CentresOverTheOtherWindow) {
    EXPECT_EQ(placeOver({200, 100}, {300, 200, 400, 300}, screen), (Point{400, 300}));
    // Half pixels round towards the top left.
    EXPECT_EQ(placeOver({201, 101}, {300, 200, 400, 300}, screen), (Point{399, 299}));
}

TEST(PlacementTest, CentresABiggerWindowAroundTheOther) {
    EXPECT_EQ(placeOver({400, 300}, {400, 300, 200, 100}, screen), (Point{300, 200}));
}

TEST(PlacementTest, KeepsTheWindowInsideTheWorkArea) {
    // Over a window in a corner it would start off the screen on each side.
    EXPECT_EQ(placeOver({300, 200}, {-50, -40, 100, 80}, screen), (Point{0, 0}));
    EXPECT_EQ(placeOver({300, 200}, {950, 760, 100, 80}, screen), (Point{700, 600}));
}

TEST(PlacementTest, HonoursAWorkAreaAwayFromTheOrigin) {
    const rt::Rect area{100, 30, 800, 600};
    EXPECT_EQ(placeOver({200, 100}, {0, 0, 100, 100}, area), (Point{100, 30}));
    EXPECT_EQ(placeOver({200, 100}, {900, 600, 100, 100}, area), (Point{700, 530}));
}

TEST(PlacementTest, TooBigAWindowKeepsItsTopLeftCornerOnTheScreen) {
    EXPECT_EQ(placeOver({1200, 900}, {400, 300, 200, 100}, screen), (Point{0, 0}));
    EXPECT_EQ(placeOver({1200, 100}, {400, 300, 200, 100}, screen), (Point{0, 300}));
}

}  // namespace
