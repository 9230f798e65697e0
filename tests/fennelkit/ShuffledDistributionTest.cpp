#include "ShuffledDistribution.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using fennelkit::ShuffledDistribution;

namespace {

std::vector<int> draw(ShuffledDistribution& distribution, int count)
{
    std::vector<int> values;
    for (int i = 0; i < count; ++i)
        values.push_back(distribution.nextInt());
    return values;
}

std::vector<int> sorted(std::vector<int> values)
{
    std::sort(values.begin(), values.end());
    return values;
}

TEST(ShuffledDistributionTest, EveryRoundHandsOutEachValueOnce)
{
    ShuffledDistribution distribution(-3, 6, 1234);
    const std::vector<int> range = {-3, -2, -1, 0, 1, 2, 3, 4, 5, 6};
    std::vector<std::vector<int>> rounds;
    for (int round = 0; round < 4; ++round) {
        rounds.push_back(draw(distribution, 10));
        EXPECT_EQ(sorted(rounds.back()), range) << "round " << round;
    }
    // Each round is shuffled afresh.
    EXPECT_FALSE(rounds[0] == rounds[1] && rounds[1] == rounds[2] && rounds[2] == rounds[3]);
}

TEST(ShuffledDistributionTest, SameSeedGivesTheSameOrder)
{
    ShuffledDistribution first(0, 422, 99);
    ShuffledDistribution second(0, 422, 99);
    EXPECT_EQ(draw(first, 900), draw(second, 900));
}

TEST(ShuffledDistributionTest, SingleValueRangeRepeatsIt)
{
    ShuffledDistribution distribution(187, 187);
    EXPECT_EQ(draw(distribution, 3), (std::vector{187, 187, 187}));
}

TEST(ShuffledDistributionDeathTest, EmptyRangeStopsTheProcess)
{
    EXPECT_DEATH(ShuffledDistribution(5, 4), "empty range");
}

}  // namespace
