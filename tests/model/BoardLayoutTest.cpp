#include "model/BoardLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace cellarium;

TEST(GridLines, EveryMultipleOfTheCellWidthOnceFromBothEdgesInwards)
{
    const double w = 44.0 / 3;
    const std::vector<double> offsets = gridLineOffsets(190, w);
    ASSERT_EQ(offsets.size(), 191u);
    EXPECT_EQ(offsets[0], 0);
    EXPECT_DOUBLE_EQ(offsets[1], w * 190);
    EXPECT_DOUBLE_EQ(offsets[2], w);
    std::vector<double> sorted = offsets;
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size(); ++i)
        EXPECT_DOUBLE_EQ(sorted[i], w * static_cast<double>(i));
}

TEST(GridLines, OddRowCountsAddTheMiddlePairOnce)
{
    EXPECT_EQ(gridLineOffsets(3, 1), (std::vector<double>{0, 3, 1, 2}));
    EXPECT_EQ(gridLineOffsets(2, 1), (std::vector<double>{0, 2, 1}));
    EXPECT_EQ(gridLineOffsets(1, 1), (std::vector<double>{0, 1}));
}

TEST(TouchMapping, TruncatesTowardZero)
{
    const double w = 44.0 / 3;
    EXPECT_EQ(lifeAtPoint(0.5 * w, 2.5 * w, w), (Life{0, 2}));
    EXPECT_EQ(lifeAtPoint(-0.4 * w, 1.5 * w, w), (Life{0, 1}));
    EXPECT_EQ(lifeAtPoint(-1.2 * w, 1.5 * w, w), (Life{-1, 1}));
}

TEST(TouchMapping, PointsNoTouchCanProduceGiveNoCell)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(lifeAtPoint(std::nan(""), 1, 1));
    EXPECT_FALSE(lifeAtPoint(1, inf, 1));
    EXPECT_FALSE(lifeAtPoint(1e19, 1, 1));
    EXPECT_FALSE(lifeAtPoint(-9223372036854775808.0, 1, 1));
    EXPECT_EQ(lifeAtPoint(-9223372036854774784.0, 0, 1), (Life{-9223372036854774784, 0}));
}
