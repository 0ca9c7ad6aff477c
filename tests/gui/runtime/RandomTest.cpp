#include <gtest/gtest.h>

#include <set>

#include "runtime/Toolkit.h"

namespace {

TEST(RandomTest, UniformInUnitIntervalAndNotStuck) {
    std::set<double> seen;
    for (int i = 0; i < 10'000; ++i) {
        const double r = rt::platform().nextRandom();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        seen.insert(r);
    }
    EXPECT_GT(seen.size(), 9'990u);
    EXPECT_LT(*seen.begin(), 0.01);
    EXPECT_GT(*seen.rbegin(), 0.99);
}

}  // namespace
