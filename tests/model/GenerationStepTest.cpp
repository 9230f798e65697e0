#include "model/GenerationStep.h"

#include "RandomSoup.h"
#include "ReferenceGeneration.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>
#include <string>

using namespace cellarium;

namespace {

// A board drawn as text: 'O' is a live cell, anything else dead; the first
// character of the first line is (left, top).
LifeSet board(std::int64_t left, std::int64_t top, const std::string& rows)
{
    LifeSet lifes;
    std::istringstream lines(rows);
    std::string line;
    for (std::int64_t row = 0; std::getline(lines, line); ++row) {
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == 'O')
                lifes.insert({left + static_cast<std::int64_t>(i), top + row});
        }
    }
    return lifes;
}

ReferenceLifeSet toReference(const LifeSet& lifes)
{
    ReferenceLifeSet set;
    lifes.forEach([&](const Life& c) { set.insert(c); });
    return set;
}

LifeSet fromReference(const ReferenceLifeSet& set)
{
    LifeSet lifes;
    for (const Life& c : set)
        lifes.insert(c);
    return lifes;
}

}  // namespace

TEST(GenerationStep, LoneCellDiesAndEmptyStaysEmpty)
{
    EXPECT_TRUE(nextGeneration({{10, 10}}, 190).empty());
    EXPECT_TRUE(nextGeneration({}, 190).empty());
}

TEST(GenerationStep, BlockIsStill)
{
    const LifeSet block = board(10, 10, "OO\nOO");
    EXPECT_EQ(nextGeneration(block, 190), block);
}

TEST(GenerationStep, BlinkerOscillatesWithPeriodTwo)
{
    const LifeSet row = board(62, 63, "OOO");  // across a tile edge
    const LifeSet column = board(63, 62, "O\nO\nO");
    EXPECT_EQ(nextGeneration(row, 190), column);
    EXPECT_EQ(nextGeneration(column, 190), row);
}

TEST(GenerationStep, GliderMovesOneCellDiagonallyEveryFourSteps)
{
    const LifeSet glider = board(60, 60, ".O.\n..O\nOOO");
    LifeSet lifes = glider;
    for (int i = 0; i < 4; ++i)
        lifes = nextGeneration(lifes, 190);
    EXPECT_EQ(lifes, board(61, 61, ".O.\n..O\nOOO"));
}

TEST(GenerationStep, LeavesItsInputUnchanged)
{
    const LifeSet blinker = board(5, 5, "OOO");
    const LifeSet copy = blinker;
    nextGeneration(blinker, 190);
    EXPECT_EQ(blinker, copy);
}

TEST(GenerationStep, WindowReachesThreeCellsBeyondTheBoard)
{
    // A block in the corner of the margin survives; its cell (-3, -3) is inside.
    const LifeSet corner = board(-3, -3, "OO\nOO");
    EXPECT_EQ(nextGeneration(corner, 190), corner);
    const LifeSet farCorner = board(192, 192, "OO\nOO");
    EXPECT_EQ(nextGeneration(farCorner, 190), farCorner);
}

TEST(GenerationStep, CellsOutsideTheWindowAreDroppedAndCountForNothing)
{
    // (-4, 0) would make (-3, 0) a birth with (-3, -1) and (-3, 1) if it counted.
    const LifeSet lifes{{-4, 0}, {-3, -1}, {-2, 1}, {0, 194}};
    EXPECT_TRUE(nextGeneration(lifes, 190).empty());

    const LifeSet block = board(50, 50, "OO\nOO");
    LifeSet withOutsider = block;
    withOutsider.insert({0, 194});
    EXPECT_EQ(nextGeneration(withOutsider, 190), block);
    EXPECT_NE(nextGeneration(withOutsider, 190), withOutsider);
}

TEST(GenerationStep, BirthsOneLineOutsideTheWindowAreKeptOnce)
{
    const LifeSet edge{{-3, 10}, {-3, 11}, {-3, 12}};
    const LifeSet next = nextGeneration(edge, 190);
    EXPECT_EQ(next, (LifeSet{{-4, 11}, {-3, 11}, {-2, 11}}));
    // Were (-4, 11) counted, (-3, 10) and (-3, 12) would be born again.
    EXPECT_TRUE(nextGeneration(next, 190).empty());

    const LifeSet farEdge{{10, 193}, {11, 193}, {12, 193}};
    EXPECT_TRUE(nextGeneration(farEdge, 190).contains({11, 194}));
}

TEST(GenerationStep, CellsAtTheEndsOfThe64BitRangeNeitherOverflowNorLive)
{
    const LifeSet far{{INT64_MAX, INT64_MAX}, {INT64_MAX - 1, INT64_MAX}, {INT64_MAX, INT64_MAX - 1},
                      {INT64_MIN, INT64_MIN}, {INT64_MIN + 1, INT64_MIN}, {INT64_MIN, INT64_MIN + 1}};
    EXPECT_TRUE(nextGeneration(far, 190).empty());

    // With a window reaching the end of the range, cells there live and nothing is born past it.
    const LifeSet block = board(INT64_MAX - 1, INT64_MAX - 1, "OO\nOO");
    EXPECT_EQ(nextGeneration(block, INT64_MAX), block);
    const LifeSet blinker{{INT64_MAX, INT64_MAX - 2}, {INT64_MAX, INT64_MAX - 1}, {INT64_MAX, INT64_MAX}};
    EXPECT_EQ(nextGeneration(blinker, INT64_MAX), (LifeSet{{INT64_MAX - 1, INT64_MAX - 1}, {INT64_MAX, INT64_MAX - 1}}));
}

TEST(GenerationStep, DropsCellsLackingACoordinate)
{
    LifeSet lifes = board(5, 5, "OO\nOO");
    lifes.insert({std::nullopt, 5});
    EXPECT_EQ(nextGeneration(lifes, 190), board(5, 5, "OO\nOO"));
}

// The fast step against the plain one, generation after generation.
class GenerationStepMatchesReference : public ::testing::TestWithParam<std::tuple<std::int64_t, double>> {};

TEST_P(GenerationStepMatchesReference, OnRandomSoupsWithMarginEdgeAndFarCells)
{
    const auto [rows, density] = GetParam();
    std::mt19937_64 random(static_cast<std::uint64_t>(rows * 1000 + density * 100));
    // The soup covers the margin and one line beyond the window on every side.
    LifeSet lifes(randomSoup(random, -5, rows + 10, density));
    for (const Life& c : std::initializer_list<Life>{{-4, 5}, {5, -4}, {rows + 4, 7}, {-100, -100}, {rows + 1000, 3},
                                                      {INT64_MAX, 0}, {0, INT64_MIN}, {INT64_MAX, INT64_MAX}}) {
        lifes.insert(c);
    }
    ReferenceLifeSet reference = toReference(lifes);
#ifdef CELLARIUM_SHORT_DIFFERENTIAL_TESTS
    const int generations = rows >= 760 ? 4 : rows >= 380 ? 12 : 30;  // the reference step is slow under sanitizers
#else
    const int generations = rows >= 760 ? 12 : 40;
#endif
    for (int g = 0; g < generations; ++g) {
        lifes = nextGeneration(lifes, rows);
        reference = referenceNextGeneration(reference, rows);
        ASSERT_EQ(lifes, fromReference(reference)) << "generation " << g + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Boards, GenerationStepMatchesReference,
                         ::testing::Combine(::testing::Values<std::int64_t>(1, 61, 190, 380, 760),
                                            ::testing::Values(0.05, 0.3, 0.6)));

TEST(GenerationStepMatchesReferenceNearTheWindowEdge, ForManySmallPatterns)
{
    // Small dense patterns placed across each edge and corner of the window, where births outside happen.
    std::mt19937_64 random(99);
    const std::int64_t rows = 190;
    for (std::int64_t left : {-8, -4, 60, 188, 192}) {
        for (std::int64_t top : {-8, -5, 61, 189, 191}) {
            LifeSet lifes(randomSoup(random, 0, 9, 0.45));
            LifeSet placed;
            lifes.forEachPlaced([&](std::int64_t x, std::int64_t y) { placed.insert({x + left, y + top}); });
            ReferenceLifeSet reference = toReference(placed);
            for (int g = 0; g < 8; ++g) {
                placed = nextGeneration(placed, rows);
                reference = referenceNextGeneration(reference, rows);
                ASSERT_EQ(placed, fromReference(reference)) << left << "," << top << " generation " << g + 1;
            }
        }
    }
}
