#include "BoardScreenFixture.h"

#include "model/GenerationStep.h"

#include <QTest>
#include <QToolButton>

using cellarium::Life;
using cellarium::LifeSet;
using platform::FeedbackEvent;
using platform::NotificationType;

namespace {

const FeedbackEvent kSuccess = FeedbackEvent::notification(NotificationType::Success);

}  // namespace

class BoardClockTest : public BoardScreenFixture {};

TEST_F(BoardClockTest, BlinkerRunsTickByTickUntilPaused)
{
    auto board = makeBoard();
    board->loadPattern({{10, 10}, {11, 10}, {12, 10}});
    clearCues();

    board->startOrPauseGame(board->startOrPauseButton());
    EXPECT_TRUE(board->startGame());
    ASSERT_NE(board->timer(), nullptr);
    EXPECT_EQ(board->timer()->interval(), 1000);
    EXPECT_EQ(cues(), (std::vector{sound(1113), kSuccess}));

    tick(*board);
    EXPECT_EQ(board->lifes(), (LifeSet{{11, 9}, {11, 10}, {11, 11}}));
    tick(*board);
    EXPECT_EQ(board->lifes(), (LifeSet{{10, 10}, {11, 10}, {12, 10}}));
    EXPECT_TRUE(board->startGame());

    board->startOrPauseGame(nullptr);
    EXPECT_FALSE(board->startGame());
    EXPECT_EQ(board->timer(), nullptr);
    EXPECT_EQ(cues(), (std::vector{sound(1113), kSuccess, sound(1104), sound(1104), sound(1114), kSuccess}));
}

TEST_F(BoardClockTest, BlockStopsByItselfAfterOneTick)
{
    auto board = makeBoard();
    const LifeSet block{{5, 5}, {6, 5}, {5, 6}, {6, 6}};
    board->loadPattern(block);
    board->startOrPauseGame(nullptr);
    clearCues();
    tick(*board);
    EXPECT_FALSE(board->startGame());
    EXPECT_EQ(board->lifes(), block);
    EXPECT_EQ(cues(), (std::vector{sound(1114), kSuccess}));
}

TEST_F(BoardClockTest, EmptyBoardStartsAndStopsAtTheFirstTick)
{
    auto board = makeBoard();
    board->startOrPauseGame(nullptr);
    EXPECT_TRUE(board->startGame());
    clearCues();
    tick(*board);
    EXPECT_FALSE(board->startGame());
    EXPECT_EQ(cues(), (std::vector{sound(1114), kSuccess}));
}

TEST_F(BoardClockTest, HighSpeedTicksTenTimesASecondFromTheNextStart)
{
    auto board = makeBoard();
    board->setHighSpeed(true);
    EXPECT_EQ(board->timer(), nullptr);
    board->startSimulation();
    EXPECT_EQ(board->timer()->interval(), 100);
    board->pauseSimulation();
    board->pauseSimulation();  // harmless
    EXPECT_EQ(board->timer(), nullptr);
}

TEST_F(BoardClockTest, FirstStartRemembersThePatternAndLaterStartsKeepIt)
{
    auto board = makeBoard();
    board->tap({1.5 * 44 / 3, 1.5 * 44 / 3});
    board->startOrPauseGame(nullptr);
    ASSERT_TRUE(board->initLifes());
    EXPECT_EQ(*board->initLifes(), (LifeSet{{1, 1}}));
    board->startOrPauseGame(nullptr);
    board->tap({3.5 * 44 / 3, 3.5 * 44 / 3});
    board->startOrPauseGame(nullptr);
    EXPECT_EQ(*board->initLifes(), (LifeSet{{1, 1}}));
}

TEST_F(BoardClockTest, TickWhileAStepIsInFlightIsSkippedNotMistakenForAStillPattern)
{
    auto board = makeBoard();
    board->loadPattern({{10, 10}, {11, 10}, {12, 10}});
    board->startOrPauseGame(nullptr);
    board->advance();
    board->advance();  // the first step has not come back yet
    board->generationWorker().waitForResult();
    EXPECT_TRUE(board->startGame());
    EXPECT_EQ(board->lifes(), (LifeSet{{11, 9}, {11, 10}, {11, 11}}));
}

TEST_F(BoardClockTest, StepInFlightDoesNotOverwriteAClearedBoard)
{
    auto board = makeBoard();
    board->loadPattern({{10, 10}, {11, 10}, {12, 10}});
    board->startOrPauseGame(nullptr);
    board->advance();
    board->clearBoard();
    board->generationWorker().waitForResult();
    EXPECT_TRUE(board->lifes().empty());
    EXPECT_FALSE(board->startGame());
    EXPECT_FALSE(board->initLifes());
}

TEST_F(BoardClockTest, StepInFlightDoesNotReplaceALoadedOrShiftedPattern)
{
    auto board = makeBoard();
    board->loadPattern({{10, 10}, {11, 10}, {12, 10}});
    board->startOrPauseGame(nullptr);
    board->advance();
    const LifeSet loaded{{50, 50}, {51, 50}, {50, 51}, {51, 51}};
    board->loadPattern(loaded);
    board->generationWorker().waitForResult();
    EXPECT_EQ(board->lifes(), loaded);

    board->startOrPauseGame(nullptr);
    board->advance();
    board->changeBoardSize();  // does not pause
    board->generationWorker().waitForResult();
    EXPECT_EQ(board->lifes(), (LifeSet{{145, 145}, {146, 145}, {145, 146}, {146, 146}}));
    EXPECT_TRUE(board->startGame());
}

TEST_F(BoardClockTest, StepInFlightIsDroppedWhenThePlayerPausesAndEdits)
{
    auto board = makeBoard();
    board->loadPattern({{10, 10}, {11, 10}, {12, 10}});
    board->startOrPauseGame(nullptr);
    board->advance();
    board->startOrPauseGame(nullptr);
    board->toggleLife({0, 0});
    board->generationWorker().waitForResult();
    EXPECT_EQ(board->lifes(), (LifeSet{{10, 10}, {11, 10}, {12, 10}, {0, 0}}));
}

TEST_F(BoardClockTest, ButtonShowsPlayWhilePausedAndPauseWhileRunning)
{
    auto board = makeBoard();
    const QImage paused = board->startOrPauseButton()->icon().pixmap(28).toImage();
    board->startSimulation();
    const QImage running = board->startOrPauseButton()->icon().pixmap(28).toImage();
    EXPECT_NE(paused, running);
    board->pauseSimulation();
    EXPECT_EQ(board->startOrPauseButton()->icon().pixmap(28).toImage(), paused);
}

TEST_F(BoardClockTest, RealTimerTicksAtTheShortIntervalUntilThePatternDiesOut)
{
    auto board = makeBoard();
    board->loadPattern({{0, 0}, {1, 1}, {2, 2}});  // one cell, then none
    board->setHighSpeed(true);
    board->startOrPauseGame(nullptr);
    ASSERT_EQ(board->timer()->interval(), 100);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !board->startGame(); }, 20000));
    EXPECT_TRUE(board->lifes().empty());
    EXPECT_EQ(board->timer(), nullptr);
    EXPECT_EQ(cues(), (std::vector{sound(1113), kSuccess, sound(1104), sound(1104), sound(1114), kSuccess}));
}

// The clock's steps go on one engine while nothing touches the board; an edit, a
// size change or a dropped step must start from the board's pattern again, or the
// run would go on from a pattern the player no longer sees.
TEST_F(BoardClockTest, RunKeepsOneEngineUntilTheBoardIsTouchedAndMatchesThePlainStep)
{
    auto board = makeBoard();
    GenerationWorker& worker = board->generationWorker();
    std::int64_t rows = 190;
    LifeSet expected{{91, 90}, {92, 90}, {90, 91}, {91, 91}, {91, 92}};  // an R-pentomino
    board->loadPattern(expected);
    board->startOrPauseGame(nullptr);
    const int built = worker.enginesBuilt();
    auto ticks = [&](int n) {
        for (int i = 0; i < n; ++i) {
            tick(*board);
            expected = cellarium::nextGeneration(expected, rows);
            ASSERT_EQ(board->lifes(), expected) << "tick " << i;
        }
    };
    ticks(40);
    EXPECT_EQ(worker.enginesBuilt(), built + 1);

    board->startOrPauseGame(nullptr);
    board->toggleLife({95, 95});
    expected = board->lifes();
    board->startOrPauseGame(nullptr);
    ticks(5);
    EXPECT_EQ(worker.enginesBuilt(), built + 2) << "an edit builds a new engine";

    board->changeBoardSize();  // 380 rows, the pattern re-centred
    rows = 380;
    expected = board->lifes();
    ticks(5);
    EXPECT_EQ(worker.enginesBuilt(), built + 3) << "a size change builds a new engine";

    board->advance();
    board->startOrPauseGame(nullptr);  // drops the step in flight
    worker.waitForResult();
    board->startOrPauseGame(nullptr);
    ticks(5);
    EXPECT_EQ(worker.enginesBuilt(), built + 4) << "a dropped step builds a new engine";
    EXPECT_TRUE(board->startGame());
}
