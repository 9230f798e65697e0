#include "model/LifeShift.h"

#include <gtest/gtest.h>

#include <climits>

using namespace cellarium;

TEST(LifeShift, MovesEveryCellDiagonallyByTheShift)
{
    EXPECT_EQ(shifted({{100, 100}}, 95), (LifeSet{{195, 195}}));
    EXPECT_EQ(shifted({{380, 380}, {10, 10}}, -285), (LifeSet{{95, 95}, {-275, -275}}));
    EXPECT_TRUE(shifted({}, 95).empty());
}

TEST(LifeShift, DropsCellsThatWouldLeaveThe64BitRangeInsteadOfOverflowing)
{
    const LifeSet lifes{{INT64_MAX - 10, 5}, {5, INT64_MIN + 100}, {1, 1}};
    EXPECT_EQ(shifted(lifes, 95), (LifeSet{{5 + 95, INT64_MIN + 195}, {96, 96}}));
    EXPECT_EQ(shifted(lifes, -285), (LifeSet{{INT64_MAX - 295, -280}, {-284, -284}}));
}
