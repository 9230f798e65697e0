#include "model/CycleFinder.h"
#include "model/GenerationStep.h"
#include "model/LifeEngine.h"
#include "model/PatternCoding.h"
#include "model/PlaintextPattern.h"

#include "RandomSoup.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>

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

namespace {

struct CycleCase {
    const char* name;
    const char* cells;  // plaintext, centred on the board
    std::int64_t rows;
    std::int64_t period;
};

// The generations of plain stepping up to and through the first repeat of a
// whole set: the states, and the generation where the cycle starts.
struct ReferenceRun {
    std::vector<LifeSet> states;
    std::int64_t cycleStart = -1;
    std::int64_t period() const { return static_cast<std::int64_t>(states.size()) - 1 - cycleStart; }
};

ReferenceRun referenceRun(const LifeSet& lifes, std::int64_t rows, std::int64_t limit)
{
    ReferenceRun run;
    std::map<std::string, std::int64_t> seen;
    run.states.push_back(lifes);
    // From generation 1 on every set holds only cells the step produced.
    for (std::int64_t g = 1; g <= limit; ++g) {
        run.states.push_back(nextGeneration(run.states.back(), rows));
        const auto [at, fresh] = seen.emplace(encodePattern(run.states.back()), g);
        if (!fresh) {
            run.cycleStart = at->second;
            return run;
        }
    }
    return run;
}

}  // namespace

// The engine finds a cycle of any period and skips whole periods; every phase of
// the remaining generations, near the cycle's start and a billion generations
// on, must be the generation plain stepping reaches.
class LifeEngineSkipsCycles : public ::testing::TestWithParam<CycleCase> {};

TEST_P(LifeEngineSkipsCycles, LandingOnThePhasePlainSteppingReaches)
{
    const CycleCase& c = GetParam();
    const PatternReading read = readPlaintextPattern(c.cells, c.rows);
    ASSERT_TRUE(read) << read.fault;
    const LifeSet start = *read.lifes;
    const ReferenceRun reference = referenceRun(start, c.rows, 20000);
    ASSERT_GE(reference.cycleStart, 0) << "no cycle within the reference run";
    ASSERT_EQ(reference.period(), c.period) << "the pattern settles into another period";
    const std::int64_t mu = reference.cycleStart;
    // The state at generation n ≥ mu as plain stepping reaches it.
    auto expectedAt = [&](std::int64_t n) -> const LifeSet& {
        return reference.states[static_cast<std::size_t>(n < mu ? n : mu + (n - mu) % c.period)];
    };

    // Far enough that the engine has found the cycle, then every phase.
    const std::int64_t near = 4 * (mu + c.period) + 8;
    for (std::int64_t n = near; n < near + c.period; ++n) {
        LifeEngine engine(start, c.rows);
        engine.run(n);
        ASSERT_EQ(engine.lifes(), expectedAt(n)) << "generation " << n;
        ASSERT_EQ(engine.population(), engine.windowCount()) << "generation " << n;
    }
    LifeEngine engine(start, c.rows);
    engine.run(near);
    EXPECT_EQ(engine.period(), c.period);
    const std::int64_t billion = 1'000'000'000;
    for (std::int64_t n : {billion, billion + std::max<std::int64_t>(c.period - 1, 2)}) {
        engine.run(n - engine.generation());
        ASSERT_EQ(engine.generation(), n);
        ASSERT_EQ(engine.lifes(), expectedAt(n)) << "generation " << n;
        ASSERT_EQ(engine.population(), engine.windowCount()) << "generation " << n;
        // Stepping on from a skipped phase goes on as plain stepping does.
        engine.step();
        ASSERT_EQ(engine.lifes(), expectedAt(n + 1)) << "generation " << n + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, LifeEngineSkipsCycles,
    ::testing::Values(
        CycleCase{"TetrominoSettlesIntoABeehive", "OOOO\n", 20, 1},
        CycleCase{"BeaconPeriod2", "OO\nO\n...O\n..OO\n", 30, 2},
        CycleCase{"PulsarPeriod3", "..OOO...OOO\n\nO....O.O....O\nO....O.O....O\nO....O.O....O\n..OOO...OOO\n\n"
                                   "..OOO...OOO\nO....O.O....O\nO....O.O....O\nO....O.O....O\n\n..OOO...OOO\n", 40, 3},
        CycleCase{"PentadecathlonPeriod15", "OOOOOOOOOO\n", 40, 15},
        CycleCase{"QueenBeeShuttlePeriod30", ".........O\n.......O.O\n......O.O\nOO...O..O...........OO\n"
                                             "OO....O.O...........OO\n.......O.O\n.........O\n", 60, 30},
        CycleCase{"RPentominoPeriod2FromGeneration1103", ".OO\nOO\n.O\n", 190, 2},
        CycleCase{"GliderGunOnABoundedBoardPeriod60FromGeneration161",
                  "........................O\n......................O.O\n............OO......OO............OO\n"
                  "...........O...O....OO............OO\nOO........O.....O...OO\nOO........O...O.OO....O.O\n"
                  "..........O.....O.......O\n...........O...O\n............OO\n",
                  90, 60}),
    [](const ::testing::TestParamInfo<CycleCase>& info) { return std::string(info.param.name); });

// Every state offered with the same hash: only equal states may make a cycle.
TEST(CycleFinder, AHashCollisionNeverReportsACycle)
{
    CycleFinder finder;
    const std::vector<std::vector<std::uint64_t>> cycle{{1, 2}, {3, 4}, {5, 6}};
    for (std::uint64_t g = 0; g < 40; ++g)
        ASSERT_EQ(finder.offer(std::vector<std::uint64_t>{g, g}, 0), 0) << "distinct states, generation " << g;
    std::int64_t period = 0;
    for (int g = 0; g < 200 && period == 0; ++g)
        period = finder.offer(cycle[static_cast<std::size_t>(g % 3)], 0);
    EXPECT_EQ(period, 3);
    EXPECT_EQ(finder.period(), 3);
}
