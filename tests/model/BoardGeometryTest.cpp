#include "model/BoardGeometry.h"

#include <gtest/gtest.h>

using namespace cellarium;

TEST(BoardGeometry, OnAScaleThreeScreenACellIsFortyFourPixelsAtFullZoom)
{
    BoardGeometry g([] { return ScreenInputs{430, 932, 3}; });
    EXPECT_EQ(g.countOfRows(), 190);
    EXPECT_DOUBLE_EQ(g.onePixel(), 1.0 / 3);
    EXPECT_DOUBLE_EQ(g.maxScale(), 3);
    EXPECT_DOUBLE_EQ(g.lifeWidth(), 44.0 / 3);
    EXPECT_DOUBLE_EQ(g.lifeWidth() * 190, g.contentWidth());
    EXPECT_DOUBLE_EQ(44 / g.lifeWidth(), g.maxScale());
    EXPECT_NEAR(g.contentWidth(), 2786.6667, 1e-3);
    EXPECT_EQ(g.mainScreenWidth(), 430);
    EXPECT_EQ(g.mainScreenHeight(), 932);
}

TEST(BoardGeometry, OnAScaleTwoScreenACellIsTwentyTwoPoints)
{
    BoardGeometry g([] { return ScreenInputs{390, 844, 2}; });
    EXPECT_DOUBLE_EQ(g.lifeWidth(), 22);
    EXPECT_DOUBLE_EQ(g.contentWidth(), 4180);
}

TEST(BoardGeometry, ReadsTheScreenOnceAndDerivesAgainOnlyWhenAsked)
{
    int reads = 0;
    BoardGeometry g([&] {
        ++reads;
        return ScreenInputs{390, 844, 3};
    });
    const double at190 = g.contentWidth();
    g.setCountOfRows(380);
    EXPECT_DOUBLE_EQ(g.contentWidth(), at190);  // still the value derived first
    g.recomputeDerivedValues();
    EXPECT_NEAR(g.contentWidth(), 5573.3333, 1e-3);
    g.setCountOfRows(760);
    g.recomputeDerivedValues();
    EXPECT_NEAR(g.contentWidth(), 11146.6667, 1e-3);
    g.onePixel();
    g.mainScreenWidth();
    EXPECT_EQ(reads, 1);
}

// Each board owns its geometry, made from the screen it is handed: no row count or
// screen is shared between two of them.
TEST(BoardGeometry, EachGeometryUsesTheScreenItIsHandedAndKeepsItsOwnRowCount)
{
    BoardGeometry first(ScreenInputs{400, 800, 2});
    EXPECT_DOUBLE_EQ(first.lifeWidth(), 22);
    first.setCountOfRows(380);
    EXPECT_EQ(first.countOfRows(), 380);

    BoardGeometry second(ScreenInputs{400, 800, 4});
    EXPECT_EQ(second.countOfRows(), 190);
    EXPECT_DOUBLE_EQ(second.lifeWidth(), 11);
    EXPECT_EQ(first.countOfRows(), 380);
    EXPECT_DOUBLE_EQ(first.lifeWidth(), 22);
}
