#include "model/BoardPattern.h"
#include "model/BoardSize.h"
#include "model/RunOutcome.h"
#include "model/RunTitle.h"
#include "model/StepWindow.h"

#include <gtest/gtest.h>

using namespace cellarium;

TEST(BoardSizeCycle, GoesFrom190To380To760AndBackKeepingPatternsCentred)
{
    EXPECT_EQ(nextBoardSize(190).rows, 380);
    EXPECT_EQ(nextBoardSize(190).shift, 95);
    EXPECT_EQ(nextBoardSize(380).rows, 760);
    EXPECT_EQ(nextBoardSize(380).shift, 190);
    EXPECT_EQ(nextBoardSize(760).rows, 190);
    EXPECT_EQ(nextBoardSize(760).shift, -285);
    EXPECT_EQ(nextBoardSize(100).rows, 190);  // any other size restarts the cycle
}

// The title says nothing of a count before the first step, and counts in sentence sense.
TEST(RunTitle, AppAloneBeforeTheFirstStepThenGenerationAndCells)
{
    struct Case {
        std::int64_t generation;
        std::size_t cells;
        const char* title;
    };
    for (const Case& c : {Case{0, 0, "Cellarium"}, Case{0, 5, "Cellarium"},
                          Case{1, 1, "Cellarium \u2014 generation 1, 1 cell"},
                          Case{2, 0, "Cellarium \u2014 generation 2, 0 cells"},
                          Case{12, 3, "Cellarium \u2014 generation 12, 3 cells"},
                          Case{4000000000LL, 250000, "Cellarium \u2014 generation 4000000000, 250000 cells"}})
        EXPECT_EQ(runTitle("Cellarium", c.generation, c.cells), c.title) << c.generation << " " << c.cells;
}

TEST(StopRule, EmptyOrUnchangedStopsAndOscillatorsGoOn)
{
    const LifeSet block{{5, 5}, {6, 5}, {5, 6}, {6, 6}};
    const LifeSet blinker{{10, 10}, {11, 10}, {12, 10}};
    EXPECT_EQ(outcomeBeforeStep({}), RunOutcome::DiedOut);
    EXPECT_EQ(outcomeBeforeStep(block), RunOutcome::Continues);
    EXPECT_EQ(outcomeOfStep(block, block), RunOutcome::BecameStill);
    EXPECT_EQ(outcomeOfStep(blinker, {{11, 9}, {11, 10}, {11, 11}}), RunOutcome::Continues);
}

TEST(StepWindowBounds, ReachThreeCellsBeyondEveryEdge)
{
    const StepWindow window = StepWindow::forRows(190);
    EXPECT_EQ(window.lo, -3);
    EXPECT_EQ(window.hi, 193);
    EXPECT_TRUE(window.contains(-3, 193));
    EXPECT_FALSE(window.contains(-4, 0));
    EXPECT_FALSE(window.contains(0, 194));
    EXPECT_EQ(StepWindow::forRows(INT64_MAX - 1).hi, INT64_MAX);  // no overflow
}

TEST(BoardPatternHistory, FirstStartIsRememberedUntilAClearAndALoadReplacesIt)
{
    BoardPattern pattern(LifeSet{{1, 1}});
    EXPECT_FALSE(pattern.restart());  // nothing started yet
    EXPECT_EQ(pattern.lifes(), (LifeSet{{1, 1}}));

    pattern.rememberStart();
    pattern.advanceTo({{2, 2}});
    EXPECT_TRUE(pattern.toggle({3, 3}));
    pattern.rememberStart();  // a later start keeps the first one
    EXPECT_TRUE(pattern.restart());
    EXPECT_EQ(pattern.lifes(), (LifeSet{{1, 1}}));
    EXPECT_TRUE(pattern.restart());  // again

    pattern.clear();
    EXPECT_TRUE(pattern.lifes().empty());
    EXPECT_FALSE(pattern.initLifes());

    pattern.load(LifeSet{Life{7, 7}, Life{std::nullopt, 4}});
    EXPECT_EQ(pattern.lifes(), (LifeSet{{7, 7}}));  // a cell without a place is dropped
    EXPECT_EQ(*pattern.initLifes(), (LifeSet{{7, 7}}));
    EXPECT_FALSE(pattern.toggle({7, 7}));
}

TEST(BoardPatternHistory, ShiftMovesBothSetsAndLeavesAnAbsentStartAbsent)
{
    BoardPattern pattern(LifeSet{{100, 100}});
    pattern.shift(95);
    EXPECT_EQ(pattern.lifes(), (LifeSet{{195, 195}}));
    EXPECT_FALSE(pattern.initLifes());
    pattern.load({{10, 10}});
    pattern.shift(-285);
    EXPECT_EQ(*pattern.initLifes(), (LifeSet{{-275, -275}}));
}
