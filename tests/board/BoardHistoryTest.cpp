#include "BoardScreenFixture.h"

#include "model/GenerationStep.h"
#include "platform/ZoomingScrollView.h"

#include <QPointingDevice>
#include <QTest>

#include <functional>
#include <string>

using cellarium::Life;
using cellarium::LifeSet;

namespace {

constexpr double w = 44.0 / 3;

struct BoardState {
    LifeSet lifes;
    std::optional<LifeSet> initLifes;
    std::int64_t rows;
    friend bool operator==(const BoardState&, const BoardState&) = default;
};

BoardState stateOf(const MainViewController& board)
{
    return {board.lifes(), board.initLifes(), board.geometry().countOfRows()};
}

}  // namespace

class BoardHistoryTest : public BoardScreenFixture {
protected:
    void SetUp() override
    {
        BoardScreenFixture::SetUp();
        board_ = makeBoard();
        board_->resetViewport();
        runDelayedWork();  // at the working zoom
        viewport_ = board_->scrollView()->viewport();
    }

    QPoint onScreen(QPointF content) const
    {
        const platform::ZoomingScrollView* view = board_->scrollView();
        return (content * view->zoomScale() - view->contentOffset()).toPoint();
    }

    // A drawing-mode finger pressed on cell (x, y) and drawing the `cells` cells to its right.
    void stroke(int x, int y, int cells)
    {
        const QPoint start = onScreen({(x + 0.5) * w, (y + 0.5) * w});
        const QPoint step = onScreen({(x + 1.5) * w, (y + 0.5) * w}) - start;
        QTest::touchEvent(viewport_, touchscreen()).press(0, start);
        for (int i = 1; i <= cells; ++i)
            QTest::touchEvent(viewport_, touchscreen()).move(0, start + step * i);
        QTest::touchEvent(viewport_, touchscreen()).release(0, start + step * cells);
    }

    static QPointingDevice* touchscreen()
    {
        static QPointingDevice* device = QTest::createTouchDevice();
        return device;
    }

    std::unique_ptr<MainViewController> board_;
    QWidget* viewport_ = nullptr;
};

// A stroke is one step however many cells it draws, and two strokes in a row are two
// steps (a fault would fold the second into the first, or keep one step per cell).
TEST_F(BoardHistoryTest, EachDrawingStrokeUndoesAsOneStepAndRedoesAgain)
{
    board_->togglePanMode();
    stroke(100, 100, 4);
    const LifeSet firstStroke = board_->lifes();
    ASSERT_EQ(firstStroke.count(), 4u);
    stroke(100, 102, 3);
    board_->tap({50.5 * w, 50.5 * w});
    ASSERT_EQ(board_->lifes().count(), 8u);
    clearCues();

    board_->undo();
    EXPECT_EQ(board_->lifes().count(), 7u);  // the tap
    board_->undo();
    EXPECT_EQ(board_->lifes(), firstStroke);  // the whole second stroke, at once
    board_->undo();
    EXPECT_TRUE(board_->lifes().empty());  // the whole first stroke
    board_->undo();
    EXPECT_EQ(cues(), (std::vector{sound(1104), sound(1104), sound(1104), sound(1103)}));

    board_->redo();
    EXPECT_EQ(board_->lifes(), firstStroke);
    board_->redo();
    board_->redo();
    EXPECT_EQ(board_->lifes().count(), 8u);
}

namespace {

struct Replacement {
    std::string name;
    std::function<void(MainViewController&)> make;
};

std::vector<Replacement> replacements()
{
    return {
        {"Clear", [](MainViewController& b) { b.clearBoard(); }},
        {"Restart", [](MainViewController& b) { b.restartPattern(); }},
        {"Load", [](MainViewController& b) { b.loadPattern(LifeSet{{20, 20}, {21, 20}, {22, 20}}); }},
        // A cell beyond the 190 board grows it to 380: undo takes the board back to 190
        // with its cells where they were, redo grows it again.
        {"LoadThatGrowsTheBoard", [](MainViewController& b) { b.loadPattern(LifeSet{{300, 300}, {301, 300}, {302, 300}}); }},
        {"BoardSizeChange", [](MainViewController& b) { b.changeBoardSize(); }},
    };
}

class BoardHistoryReplacement : public BoardHistoryTest, public testing::WithParamInterface<Replacement> {};

}  // namespace

// Undo brings back the board before the change, its restart pattern and side with it,
// and a run started after the undo steps from that board, not from the one the
// generation worker last saw; redo brings the change back.
TEST_P(BoardHistoryReplacement, UndoBringsBackTheBoardAndTheRunStartsFromIt)
{
    board_->loadPattern(LifeSet{{91, 90}, {92, 90}, {90, 91}, {91, 91}, {91, 92}});  // an R-pentomino
    board_->startOrPauseGame(nullptr);
    for (int i = 0; i < 3; ++i)
        tick(*board_);
    board_->startOrPauseGame(nullptr);
    board_->toggleLife({10, 10});
    const BoardState before = stateOf(*board_);

    GetParam().make(*board_);
    const BoardState after = stateOf(*board_);
    ASSERT_NE(after, before);

    clearCues();
    board_->undo();
    EXPECT_EQ(stateOf(*board_), before);
    EXPECT_EQ(cues(), std::vector{sound(1104)});
    board_->redo();
    EXPECT_EQ(stateOf(*board_), after);
    board_->undo();
    ASSERT_EQ(stateOf(*board_), before);

    board_->startOrPauseGame(nullptr);
    tick(*board_);
    EXPECT_EQ(board_->lifes(), cellarium::nextGeneration(before.lifes, before.rows));
}

INSTANTIATE_TEST_SUITE_P(EveryKind, BoardHistoryReplacement, testing::ValuesIn(replacements()),
                         [](const testing::TestParamInfo<Replacement>& info) { return info.param.name; });

// Generations are not recorded: an undo during a run pauses it and takes back the last
// edit (here a cell taken away) from the pattern the run reached.
TEST_F(BoardHistoryTest, UndoWhileRunningPausesAndTakesBackTheLastEditFromTheCurrentPattern)
{
    board_->loadPattern(LifeSet{{20, 20}, {21, 20}, {22, 20}, {100, 100}});  // a blinker and a lone cell
    board_->toggleLife({100, 100});
    board_->startOrPauseGame(nullptr);
    tick(*board_);
    board_->undo();
    EXPECT_FALSE(board_->startGame());
    const LifeSet undone{{21, 19}, {21, 20}, {21, 21}, {100, 100}};
    EXPECT_EQ(board_->lifes(), undone);
    // The engine the run stepped on is dropped: the next step starts from the undone board.
    board_->startOrPauseGame(nullptr);
    tick(*board_);
    EXPECT_EQ(board_->lifes(), cellarium::nextGeneration(undone, 190));
}

// On a touch screen a two-finger tap on the board takes back the last change, once the
// wait for a second tap (a double tap brings the cells into view) has passed.
TEST_F(BoardHistoryTest, ATwoFingerTapOnTheBoardUndoesTheLastChange)
{
    board_->loadPattern(LifeSet{{20, 20}, {21, 20}});
    board_->clearBoard();
    ASSERT_TRUE(board_->lifes().empty());
    const QPoint first(100, 300), second(180, 300);
    QTest::touchEvent(viewport_, touchscreen()).press(0, first).press(1, second);
    QTest::touchEvent(viewport_, touchscreen()).release(0, first).release(1, second);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !board_->lifes().empty(); }, 5000));
    EXPECT_EQ(board_->lifes(), (LifeSet{{20, 20}, {21, 20}}));
}
