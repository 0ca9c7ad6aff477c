#include <gtest/gtest.h>

#include <cstdint>

#include "runtime/MouseGesture.h"

namespace {

using rt::GestureLimits;
using rt::MouseGesture;
using rt::Point;
using rt::Reach;

// Windows-like limits: 500 ms, a box of 2 either side for the next press and
// of 4 for the release.
const GestureLimits boxes{500, {2, 2}, {4, 4}};
// Qt-like limits: 400 ms, Manhattan distance 10 for both.
const GestureLimits manhattan{400, {10, 10, true}, {10, 10, true}};

TEST(ReachTest, BoxHoldsEachAxisOnItsOwn) {
    const Reach reach{3, 1};
    EXPECT_TRUE(reach.holds({10, 10}, {13, 11}));
    EXPECT_TRUE(reach.holds({10, 10}, {7, 9}));
    EXPECT_FALSE(reach.holds({10, 10}, {14, 10}));
    EXPECT_FALSE(reach.holds({10, 10}, {10, 12}));
}

TEST(ReachTest, ManhattanAddsBothAxes) {
    const Reach reach{10, 0, true};
    EXPECT_TRUE(reach.holds({0, 0}, {6, -4}));
    EXPECT_FALSE(reach.holds({0, 0}, {6, -5}));
    EXPECT_TRUE(reach.holds({5, 5}, {5, 5}));
}

TEST(MouseGestureTest, CountsBeforeAnyPressAsOne) {
    const MouseGesture gesture;
    EXPECT_EQ(gesture.count(), 1);
}

TEST(MouseGestureTest, PressesInTimeAndPlaceContinueTheGesture) {
    MouseGesture gesture;
    EXPECT_EQ(gesture.press({5, 5}, 1000, boxes), 1);
    EXPECT_EQ(gesture.press({7, 3}, 1500, boxes), 2);
    EXPECT_EQ(gesture.press({7, 3}, 1600, boxes), 3);
    EXPECT_EQ(gesture.count(), 3);
}

TEST(MouseGestureTest, LatePressStartsAgain) {
    MouseGesture gesture;
    gesture.press({5, 5}, 1000, boxes);
    EXPECT_EQ(gesture.press({5, 5}, 1501, boxes), 1);
    EXPECT_EQ(gesture.press({5, 5}, 1600, boxes), 2);
}

TEST(MouseGestureTest, DistantPressStartsAgain) {
    MouseGesture gesture;
    gesture.press({5, 5}, 1000, boxes);
    EXPECT_EQ(gesture.press({8, 5}, 1100, boxes), 1);
    gesture.press({8, 5}, 1200, manhattan);
    EXPECT_EQ(gesture.press({14, 10}, 1300, manhattan), 1);
}

TEST(MouseGestureTest, DistanceIsMeasuredFromThePreviousPress) {
    MouseGesture gesture;
    gesture.press({0, 0}, 0, boxes);
    gesture.press({2, 0}, 100, boxes);
    EXPECT_EQ(gesture.press({4, 0}, 200, boxes), 3);
}

TEST(MouseGestureTest, FirstPressAtTimeZeroNearOriginIsOne) {
    MouseGesture gesture;
    EXPECT_EQ(gesture.press({0, 0}, 0, boxes), 1);
}

TEST(MouseGestureTest, IntervalIsMeasuredAcrossAWrapOfTheClock) {
    MouseGesture gesture;
    gesture.press({1, 1}, UINT32_MAX - 99, boxes);
    EXPECT_EQ(gesture.press({1, 1}, 100, boxes), 2);
}

TEST(MouseGestureTest, ClockGoingBackStartsAgain) {
    MouseGesture gesture;
    gesture.press({1, 1}, 5000, boxes);
    EXPECT_EQ(gesture.press({1, 1}, 4900, boxes), 1);
}

TEST(MouseGestureTest, PlatformDoubleClickAlwaysContinues) {
    MouseGesture gesture;
    gesture.press({1, 1}, 0, boxes);
    EXPECT_EQ(gesture.press({90, 90}, 9000, boxes, true), 2);
}

TEST(MouseGestureTest, ReleaseNearThePressInsideIsAClick) {
    MouseGesture gesture;
    gesture.press({10, 10}, 0, boxes);
    EXPECT_TRUE(gesture.clicks({14, 6}, true, boxes));
    EXPECT_FALSE(gesture.clicks({15, 10}, true, boxes));
    EXPECT_FALSE(gesture.clicks({10, 10}, false, boxes));
}

TEST(MouseGestureTest, ReleaseIsMeasuredWithTheClickReach) {
    MouseGesture gesture;
    gesture.press({10, 10}, 0, manhattan);
    EXPECT_TRUE(gesture.clicks({16, 14}, true, manhattan));
    EXPECT_FALSE(gesture.clicks({16, 15}, true, manhattan));
}

}  // namespace
