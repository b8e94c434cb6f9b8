#include "platform/clock_random.h"

#include <gtest/gtest.h>

#include <array>

TEST(ClockRandom, DrawsEveryNumberOfTheRangeAndNoOther)
{
    ClockRandom r;
    r.seedFromClock();
    std::array<int, 34> seen{};
    for (int i = 0; i < 20000; ++i) {
        const int n = r.below(34);
        ASSERT_GE(n, 0);
        ASSERT_LT(n, 34);
        ++seen[static_cast<std::size_t>(n)];
    }
    for (int count : seen)
        EXPECT_GT(count, 400) << "roughly uniform: about 588 each";
}
