// The meaning of SplashInitEx's value, flags and data, shared by the Linux
// and the Windows splash library.

#include <gtest/gtest.h>

#include <algorithm>

#include "splash/SplashOptions.h"

namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

TEST(SplashOptions, ValueIsTheMinimumTimeInTenthsFlagsAreZeroOrOneDataIsTheLongestTime) {
    const std::uint32_t zero = 0, seven = 7;
    const splash::SplashOptions program = splash::optionsFrom(3, 1, 0, &zero);
    EXPECT_EQ(program.minimum, milliseconds(300));
    EXPECT_EQ(program.maximum, milliseconds(0));
    EXPECT_TRUE(program.window.closeOnClick);
    EXPECT_FALSE(program.window.keepAbove);

    const splash::SplashOptions other = splash::optionsFrom(0xffffffffu, 0, 0x100, &seven);
    EXPECT_EQ(other.minimum, milliseconds(100 * splash::MaxMinimumTenths));
    EXPECT_EQ(other.maximum, seconds(7));
    EXPECT_FALSE(other.window.closeOnClick);
    EXPECT_TRUE(other.window.keepAbove);
    EXPECT_EQ(splash::optionsFrom(0, 0, 0, nullptr).maximum, milliseconds(0));
}

TEST(SplashOptions, MinimumTimeIsCappedAtFiveSeconds) {
    EXPECT_EQ(splash::optionsFrom(49, 0, 0, nullptr).minimum, milliseconds(4900));
    EXPECT_EQ(splash::optionsFrom(50, 0, 0, nullptr).minimum, seconds(5));
    EXPECT_EQ(splash::optionsFrom(51, 0, 0, nullptr).minimum, seconds(5));
}

// A wild longest time still ends within a day, and in milliseconds it fits
// the 32-bit timers of Windows.
TEST(SplashOptions, LongestTimeIsCappedAtADay) {
    for (const std::uint32_t given : {24u * 3600 - 1, 24u * 3600, 24u * 3600 + 1, 4'294'968u, 0xffffffffu}) {
        const splash::SplashOptions options = splash::optionsFrom(0, 0, 0, &given);
        EXPECT_EQ(options.maximum, seconds(std::min(given, 24u * 3600))) << given;
        EXPECT_LE(options.maximum.count(), 0xffffffffLL) << given;
    }
}

// The data word need not be aligned: it is read byte by byte.
TEST(SplashOptions, DataWordIsReadAtAnyAddress) {
    alignas(4) const unsigned char bytes[8] = {0, 9, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(splash::optionsFrom(0, 0, 0, bytes + 1).maximum, seconds(9));
}

}  // namespace
