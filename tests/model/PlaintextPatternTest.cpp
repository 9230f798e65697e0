#include "model/PlaintextPattern.h"

#include <gtest/gtest.h>

using namespace cellarium;

TEST(PlaintextReading, GliderWithCommentsStandsCentred)
{
    const PatternReading r = readPlaintextPattern("!Name: Glider\n!\n.O\n..O\nOOO\n", 190);
    ASSERT_TRUE(r) << r.fault;
    EXPECT_EQ(*r.lifes, LifeSet({{94, 93}, {95, 94}, {93, 95}, {94, 95}, {95, 95}}));
}

TEST(PlaintextReading, AcceptsCrLfTrailingSpacesShortRowsBlankRowsAndStars)
{
    const PatternReading a = readPlaintextPattern("O.O\r\n\r\n*  \n", 10);
    ASSERT_TRUE(a) << a.fault;
    // Box 3 x 3, placed at (3, 3).
    EXPECT_EQ(*a.lifes, LifeSet({{3, 3}, {5, 3}, {3, 5}}));
    const PatternReading empty = readPlaintextPattern("!only a comment\n", 10);
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty.lifes->empty());
}

TEST(PlaintextReading, RefusesUnknownCharactersNamingRowAndCharacter)
{
    const PatternReading r = readPlaintextPattern("!x\n.O\nOxO\n", 10);
    ASSERT_FALSE(r);
    EXPECT_NE(r.fault.find("'x' in row 2"), std::string::npos) << r.fault;
    EXPECT_FALSE(readPlaintextPattern("O\tO\n", 10));
    EXPECT_FALSE(readPlaintextPattern("o\n", 10));
}

TEST(PlaintextReading, RefusesPatternsLargerThanTheBoardWithoutGrowingForBlankLines)
{
    EXPECT_FALSE(readPlaintextPattern(std::string(10, '.') + "O\n", 10));
    EXPECT_TRUE(readPlaintextPattern(std::string(9, '.') + "O" + std::string(50, '.') + "\n", 10));
    EXPECT_FALSE(readPlaintextPattern(std::string(10, '\n') + "O\n", 10));
    // A million blank lines after the pattern are empty rows, not a fault and not memory.
    EXPECT_TRUE(readPlaintextPattern("O\n" + std::string(1'000'000, '\n'), 10));
}

TEST(PlaintextWriting, WritesTheBoxWithoutTrailingDeadCells)
{
    EXPECT_EQ(writePlaintextPattern(LifeSet({{101, 50}, {102, 51}, {100, 52}, {101, 52}, {102, 52}})), ".O\n..O\nOOO\n");
    EXPECT_EQ(writePlaintextPattern(LifeSet({{0, 0}, {0, 2}})), "O\n.\nO\n");
    EXPECT_EQ(writePlaintextPattern({}), "!\n");
    const PatternReading back = readPlaintextPattern(writePlaintextPattern({}), 10);
    ASSERT_TRUE(back);
    EXPECT_TRUE(back.lifes->empty());
}

TEST(PlaintextWriting, RoundTripsAPatternWiderThanATile)
{
    LifeSet lifes;
    for (int i = 0; i < 150; ++i)
        lifes.insert(Life{i * 7 % 150, i});
    const PatternReading back = readPlaintextPattern(writePlaintextPattern(lifes), 150);
    ASSERT_TRUE(back) << back.fault;
    EXPECT_EQ(*back.lifes, lifes);  // the box is the whole board, so nothing moves
}
