#include "model/FirstRunPattern.h"

#include <gtest/gtest.h>

using namespace cellarium;

TEST(FirstRunPattern, HasFortyCellsInColumnsNinetyToNinetyNineAndRowsNinetyToNinetyEight)
{
    const LifeSet lifes = firstRunPattern();
    EXPECT_EQ(lifes.count(), 40u);
    lifes.forEach([](const Life& c) {
        ASSERT_TRUE(c.isPlaced());
        EXPECT_GE(*c.x, 90);
        EXPECT_LE(*c.x, 99);
        EXPECT_GE(*c.y, 90);
        EXPECT_LE(*c.y, 98);
    });
    EXPECT_TRUE(lifes.contains({99, 98}));
    EXPECT_TRUE(lifes.contains({93, 91}));
    EXPECT_FALSE(lifes.contains({94, 91}));
}
