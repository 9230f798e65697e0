#include "GenerationStep.h"
#include "LifeEngine.h"

#include "RandomSoup.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace cellarium;

namespace {

// Runs `lifes` for `generations` both ways and compares every generation.
void expectEngineMatchesRepeatedSteps(const LifeSet& lifes, std::int64_t rows, int generations)
{
    LifeEngine engine(lifes, rows);
    LifeSet expected = lifes;
    for (int g = 0; g < generations; ++g) {
        engine.step();
        expected = nextGeneration(expected, rows);
        ASSERT_EQ(engine.lifes(), expected) << "rows " << rows << ", generation " << g + 1;
    }
}

// A lattice of blinkers 4 cells apart, filling the square [first, first + side).
LifeSet blinkerLattice(std::int64_t first, std::int64_t side)
{
    LifeSet lifes;
    for (std::int64_t y = first + 1; y < first + side; y += 4) {
        for (std::int64_t x = first; x + 2 < first + side; x += 4) {
            for (std::int64_t dx = 0; dx < 3; ++dx)
                lifes.insert({x + dx, y});
        }
    }
    return lifes;
}

}  // namespace

TEST(LifeEngine, StartsFromItsInputAndCountsGenerations)
{
    const LifeSet lifes{{5, 5}, {6, 5}, {7, 5}, {500, 500}};
    LifeEngine engine(lifes, 190);
    EXPECT_EQ(engine.lifes(), lifes);
    EXPECT_EQ(engine.generation(), 0);
    engine.step();
    EXPECT_EQ(engine.lifes(), (LifeSet{{6, 4}, {6, 5}, {6, 6}}));  // the far cell is dropped
    EXPECT_EQ(engine.generation(), 1);
    EXPECT_EQ(engine.windowCount(), 3u);
}

TEST(LifeEngine, RefusesBoardsItCannotHold)
{
    EXPECT_THROW(LifeEngine({}, 0), std::invalid_argument);
    EXPECT_THROW(LifeEngine({}, LifeEngine::kMaxRows + 1), std::invalid_argument);
}

// Stateful runs against the stateless step: dense and sparse soups that cover the
// margin and the line beyond the window, on board sizes that end at every offset
// within a word and a tile.
class LifeEngineMatchesRepeatedSteps : public ::testing::TestWithParam<std::tuple<std::int64_t, double>> {};

TEST_P(LifeEngineMatchesRepeatedSteps, OnSoupsOverTheWholeWindow)
{
    const auto [rows, density] = GetParam();
    std::mt19937_64 random(static_cast<std::uint64_t>(rows * 7 + density * 1000));
    LifeSet lifes(randomSoup(random, -5, rows + 10, density));
    for (const Life& c : std::initializer_list<Life>{{-4, 5}, {5, -4}, {rows + 4, 7}, {-100, -100}, {rows + 1000, 3},
                                                      {INT64_MAX, 0}, {0, INT64_MIN}, {INT64_MIN, INT64_MAX}})
        lifes.insert(c);
    expectEngineMatchesRepeatedSteps(lifes, rows, rows > 200 ? 30 : 60);
}

INSTANTIATE_TEST_SUITE_P(Boards, LifeEngineMatchesRepeatedSteps,
                         ::testing::Combine(::testing::Values<std::int64_t>(1, 2, 25, 57, 58, 121, 190, 380),
                                            ::testing::Values(0.04, 0.35)));

TEST(LifeEngine, BirthsOnEveryEdgeOutsideTheWindowAreReportedAndCountForNothing)
{
    const std::int64_t rows = 190;
    const LifeSet edges{{-3, 10}, {-3, 11}, {-3, 12},   {193, 50}, {193, 51}, {193, 52},
                        {70, -3}, {71, -3}, {72, -3},   {80, 193}, {81, 193}, {82, 193}};
    LifeEngine engine(edges, rows);
    engine.step();
    const LifeSet next = engine.lifes();
    for (const Life& born : {Life{-4, 11}, Life{194, 51}, Life{71, -4}, Life{81, 194}})
        EXPECT_TRUE(next.contains(born)) << *born.x << "," << *born.y;
    EXPECT_EQ(next, nextGeneration(edges, rows));
    engine.step();
    EXPECT_TRUE(engine.lifes().empty());
}

TEST(LifeEngine, SkippingStillAndPeriodTwoRegionsKeepsResultsExact)
{
    // Blinkers and blocks settle into tiles the engine stops recomputing; a glider
    // later flies through them and must disturb them as the plain step says.
    const std::int64_t rows = 380;
    LifeSet lifes = blinkerLattice(100, 120);
    for (const Life& c : {Life{250, 250}, Life{251, 250}, Life{250, 251}, Life{251, 251}})
        lifes.insert(c);
    for (const Life& c : {Life{31, 30}, Life{32, 31}, Life{30, 32}, Life{31, 32}, Life{32, 32}})
        lifes.insert(c);  // a glider heading down-right into the lattice
    expectEngineMatchesRepeatedSteps(lifes, rows, 220);
}

TEST(LifeEngine, PeriodTwoLatticeRepeatsAndStillPatternsStopEarly)
{
    const LifeSet lattice = blinkerLattice(0, 760);
    LifeEngine engine(lattice, 760);
    engine.run(1000);
    EXPECT_EQ(engine.lifes(), lattice);
    EXPECT_FALSE(engine.isStill());
    EXPECT_TRUE(engine.isPeriodTwo());
    engine.step();
    EXPECT_EQ(engine.lifes(), nextGeneration(lattice, 760));
    engine.run(999);  // an odd count lands on the other phase
    EXPECT_EQ(engine.lifes(), lattice);
    EXPECT_EQ(engine.generation(), 2000);

    const LifeSet block{{10, 10}, {11, 10}, {10, 11}, {11, 11}};
    LifeEngine still(block, 190);
    still.run(1'000'000'000);
    EXPECT_TRUE(still.isStill());
    EXPECT_EQ(still.generation(), 1'000'000'000);
    EXPECT_EQ(still.lifes(), block);
}

TEST(LifeEngine, GliderLeavesThroughTheCornerAndDiesThere)
{
    // Heading down-right from the middle it reaches the window's far corner,
    // where the step's edge rules apply to it generation by generation.
    const LifeSet glider{{81, 80}, {82, 81}, {80, 82}, {81, 82}, {82, 82}};
    expectEngineMatchesRepeatedSteps(glider, 100, 120);
}
