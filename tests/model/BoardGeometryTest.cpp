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

TEST(BoardGeometry, TheProcessWideGeometryUsesTheRegisteredScreenAndCanBeReplaced)
{
    replaceBoardGeometry(nullptr);
    setMainScreenReader([] { return ScreenInputs{400, 800, 2}; });
    EXPECT_DOUBLE_EQ(boardGeometry().lifeWidth(), 22);
    boardGeometry().setCountOfRows(380);
    EXPECT_EQ(boardGeometry().countOfRows(), 380);

    replaceBoardGeometry(std::make_unique<BoardGeometry>([] { return ScreenInputs{400, 800, 4}; }));
    EXPECT_EQ(boardGeometry().countOfRows(), 190);
    EXPECT_DOUBLE_EQ(boardGeometry().lifeWidth(), 11);
    replaceBoardGeometry(nullptr);
    setMainScreenReader(nullptr);
}

TEST(BoardGeometry, AScreenReaderRegisteredLateLeavesTheGeometryInUse)
{
    replaceBoardGeometry(nullptr);
    setMainScreenReader([] { return ScreenInputs{400, 800, 2}; });
    BoardGeometry& inUse = boardGeometry();
    setMainScreenReader([] { return ScreenInputs{400, 800, 4}; });
    EXPECT_EQ(&boardGeometry(), &inUse);
    EXPECT_DOUBLE_EQ(boardGeometry().lifeWidth(), 22);
    replaceBoardGeometry(nullptr);
    EXPECT_DOUBLE_EQ(boardGeometry().lifeWidth(), 11);
    replaceBoardGeometry(nullptr);
    setMainScreenReader(nullptr);
}
