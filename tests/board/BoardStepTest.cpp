#include "BoardScreenFixture.h"

#include "board/BoardAccessible.h"
#include "board/LifeView.h"
#include "model/GenerationStep.h"
#include "model/RunTitle.h"

#include "platform/AppWindow.h"
#include "platform/ZoomingScrollView.h"

#include <QAccessible>
#include <QPointingDevice>
#include <QTest>

#include <memory>

using cellarium::LifeSet;

namespace {

const LifeSet kRPentomino{{91, 90}, {92, 90}, {90, 91}, {91, 91}, {91, 92}};

// Whether every live cell lies inside the visible area.
bool cellsInView(MainViewController& board)
{
    const platform::ZoomingScrollView& view = *board.scrollView();
    const QRectF visible(QPointF(), QSizeF(view.viewport()->size()));
    const double cell = board.geometry().lifeWidth() * view.zoomScale();
    bool inside = true;
    board.lifes().forEachPlaced([&](std::int64_t x, std::int64_t y) {
        const QRectF square(QPointF(double(x), double(y)) * cell - view.contentOffset(), QSizeF(cell, cell));
        inside = inside && visible.contains(square);
    });
    return inside;
}

}  // namespace

class BoardStepTest : public BoardScreenFixture {
protected:
    void SetUp() override
    {
        BoardScreenFixture::SetUp();
        platform::userDefaults().setValue(QStringLiteral("KeyOfDidShowGuide"), true);
        board_ = new MainViewController;
        board_->setDelayedWork([](int, QObject*, std::function<void()>) {});
        window_.resize(390, 844);
        window_.setRootViewController(board_);
        window_.show();
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
        board_->scrollView()->setFocus();
    }
    void pressN()
    {
        QTest::keyClick(board_->scrollView(), Qt::Key_N);
        ASSERT_TRUE(board_->generationWorker().isBusy()) << "N started no step";
        board_->generationWorker().waitForResult();
    }
    std::string title() const { return window_.windowTitle().toStdString(); }

    platform::AppWindow window_;
    MainViewController* board_ = nullptr;
};

// Stepping k times must give generation k in the count and the model's k-th
// generation on the board, each with the tick cue; N while running must not step
// (a second step on the same set would look still and stop the run).
TEST_F(BoardStepTest, NAndTheStepActionAdvanceAPausedBoardAndTheTitleCountsThem)
{
    ASSERT_TRUE(board_->loadPattern(kRPentomino));
    EXPECT_EQ(title(), "Cellarium");
    clearCues();
    LifeSet expected = kRPentomino;
    const std::int64_t rows = board_->geometry().countOfRows();
    for (qint64 k = 1; k <= 12; ++k) {
        if (k % 4 == 0) {  // the board's accessible action, as a screen reader presses it
            QAccessibleInterface* board = QAccessible::queryAccessibleInterface(board_->scrollView());
            ASSERT_NE(board, nullptr);
            ASSERT_NE(board->actionInterface(), nullptr);
            ASSERT_TRUE(board->actionInterface()->actionNames().contains(QString::fromLatin1(boardaccessible::stepAction)));
            board->actionInterface()->doAction(QString::fromLatin1(boardaccessible::stepAction));
            QCoreApplication::processEvents();
            board_->generationWorker().waitForResult();
        } else {
            pressN();
        }
        expected = cellarium::nextGeneration(expected, rows);
        ASSERT_EQ(board_->generation(), k);
        ASSERT_EQ(board_->lifes(), expected) << "generation " << k;
        const std::string counted = cellarium::runTitle("Cellarium", k, expected.count());
        EXPECT_EQ(title(), counted);
        EXPECT_EQ(board_->scrollView()->accessibleDescription().toStdString(), counted);
        EXPECT_FALSE(board_->startGame());
    }
    EXPECT_EQ(cues(), std::vector(12, sound(1104)));

    board_->startOrPauseGame(nullptr);
    clearCues();
    QTest::keyClick(board_->scrollView(), Qt::Key_N);
    EXPECT_FALSE(board_->generationWorker().isBusy());
    EXPECT_EQ(board_->generation(), 12);
    EXPECT_EQ(board_->lifes(), expected);
    EXPECT_TRUE(board_->startGame());
    EXPECT_TRUE(cues().empty());
}

// The count starts again at every load, Clear and Restart, and the title with it;
// a Restart returns to the pattern before the first step.
TEST_F(BoardStepTest, LoadClearAndRestartResetTheCount)
{
    const std::vector<std::pair<const char*, std::function<void()>>> resets = {
        {"Restart", [this] { board_->restartPattern(); }},
        {"Clear", [this] { board_->clearBoard(); }},
        {"load", [this] { board_->loadPattern(kRPentomino); }},
        {"restored count, then load", [this] {
             board_->setGeneration(40);
             board_->loadPattern(kRPentomino);
         }},
    };
    for (const auto& [what, reset] : resets) {
        ASSERT_TRUE(board_->loadPattern(kRPentomino));
        pressN();
        pressN();
        ASSERT_EQ(board_->generation(), 2) << what;
        ASSERT_NE(title(), "Cellarium") << what;
        reset();
        EXPECT_EQ(board_->generation(), 0) << what;
        EXPECT_EQ(title(), "Cellarium") << what;
        if (std::string(what) == "Restart")
            EXPECT_EQ(board_->lifes(), kRPentomino);
    }
    board_->setGeneration(7);  // a count restored at launch is shown as it is
    EXPECT_EQ(title(), cellarium::runTitle("Cellarium", 7, kRPentomino.count()));
}

// A pattern loaded away from the board's middle used to stay out of sight, and
// after a flick nothing brought the cells back.
TEST_F(BoardStepTest, LoadHomeAndATwoFingerDoubleTapBringTheCellsIntoView)
{
    platform::ZoomingScrollView& view = *board_->scrollView();
    auto scrollAway = [&] {
        view.setContentOffset({0, 0}, false);
        ASSERT_FALSE(cellsInView(*board_));
    };
    ASSERT_TRUE(board_->loadPattern(LifeSet{{170, 180}, {171, 180}, {172, 180}, {172, 179}, {171, 178}}));
    EXPECT_TRUE(cellsInView(*board_)) << "a glider loaded in a corner";

    scrollAway();
    QTest::keyClick(&view, Qt::Key_Home);
    EXPECT_TRUE(cellsInView(*board_)) << "Home";

    scrollAway();
    std::unique_ptr<QPointingDevice> device(QTest::createTouchDevice());
    for (int tap = 0; tap < 2; ++tap) {
        QTest::touchEvent(view.viewport(), device.get()).press(0, {100, 300}).press(1, {200, 300});
        QTest::touchEvent(view.viewport(), device.get()).release(0, {100, 300}).release(1, {200, 300});
    }
    EXPECT_TRUE(cellsInView(*board_)) << "a two-finger double tap";

}

// Outside the board the view used to show the board's own colour, so nothing told
// where the board (and a glider's flight) ends.
TEST_F(BoardStepTest, OutsideTheBoardIsADarkerShadeThanTheBoard)
{
    window_.resize(1600, 900);
    QCoreApplication::processEvents();
    platform::ZoomingScrollView& view = *board_->scrollView();
    view.setZoomScale(view.minimumZoomScale(), false);
    QCoreApplication::processEvents();
    const QImage shot = view.viewport()->grab().toImage();
    const double cell = board_->geometry().lifeWidth();
    // The middle of an empty cell, and a point right of the board's right edge.
    const QPoint inside = view.mapFromScene(QPointF(95.5 * cell, 95.5 * cell));
    const QPoint outside = view.mapFromScene(QPointF(board_->geometry().contentWidth() + 20, 95.5 * cell));
    ASSERT_TRUE(shot.rect().contains(outside)) << "the board fills the view " << outside.x() << " " << view.viewport()->width() << " " << view.zoomScale();
    const QColor board = shot.pixelColor(inside);
    const QColor surround = shot.pixelColor(outside);
    EXPECT_EQ(surround, LifeView::outsideShade(view.palette().color(QPalette::Base)));
    EXPECT_NE(surround, board);
    EXPECT_LT(surround.lightness(), board.lightness());
}
