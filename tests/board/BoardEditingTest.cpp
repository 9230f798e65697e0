#include "BoardScreenFixture.h"

#include "platform/ZoomingScrollView.h"

#include <QPointingDevice>
#include <QTest>

using cellarium::Life;
using cellarium::LifeSet;
using platform::FeedbackEvent;
using platform::ImpactStyle;

namespace {

constexpr double w = 44.0 / 3;
const FeedbackEvent kRigid = FeedbackEvent::impact(ImpactStyle::Rigid);
const FeedbackEvent kSoft = FeedbackEvent::impact(ImpactStyle::Soft);

// The viewport point over a board-view point.
QPoint onScreen(const MainViewController& board, QPointF content)
{
    const platform::ZoomingScrollView* view = board.scrollView();
    return (content * view->zoomScale() - view->contentOffset()).toPoint();
}

}  // namespace

class BoardEditingTest : public BoardScreenFixture {};

TEST_F(BoardEditingTest, TapAddsThenRemovesACellWithRigidThenSoftHaptics)
{
    auto board = makeBoard();
    board->tap({0.5 * w, 2.5 * w});
    EXPECT_EQ(board->lifes(), (LifeSet{{0, 2}}));
    board->tap({0.5 * w, 2.5 * w});
    EXPECT_TRUE(board->lifes().empty());
    EXPECT_EQ(cues(), (std::vector{sound(1104), kRigid, sound(1104), kSoft}));
}

TEST_F(BoardEditingTest, EditsAreRefusedWhileRunning)
{
    auto board = makeBoard();
    board->loadPattern({{10, 10}, {11, 10}, {12, 10}});
    board->startSimulation();
    clearCues();
    board->tap({0.5 * w, 0.5 * w});
    board->pan({0.5 * w, 0.5 * w});
    EXPECT_EQ(board->lifes(), (LifeSet{{10, 10}, {11, 10}, {12, 10}}));
    EXPECT_EQ(cues(), (std::vector{sound(1103), sound(1103)}));
}

TEST_F(BoardEditingTest, DragTogglesEachCellItEntersOnce)
{
    auto board = makeBoard();
    for (double x : {3.5, 4.2, 4.8, 5.5})
        board->pan({x * w, 3.5 * w});
    EXPECT_EQ(board->lifes(), (LifeSet{{3, 3}, {4, 3}, {5, 3}}));
    EXPECT_EQ(cues(), (std::vector{sound(1104), kRigid, sound(1104), kRigid, sound(1104), kRigid}));
    EXPECT_EQ(board->lastPanLife(), (Life{5, 3}));

    // A new drag starting where the last ended leaves that cell until the finger comes back.
    board->pan({5.5 * w, 3.5 * w});
    EXPECT_TRUE(board->lifes().contains({5, 3}));
    board->pan({6.5 * w, 3.5 * w});
    board->pan({5.5 * w, 3.5 * w});
    EXPECT_FALSE(board->lifes().contains({5, 3}));
    EXPECT_TRUE(board->lifes().contains({6, 3}));
}

TEST_F(BoardEditingTest, TouchesJustLeftOfTheBoardTruncateToColumnZero)
{
    auto board = makeBoard();
    board->pan({-0.4 * w, 1.5 * w});
    board->pan({-1.2 * w, 1.5 * w});
    EXPECT_EQ(board->lifes(), (LifeSet{{0, 1}, {-1, 1}}));
}

TEST_F(BoardEditingTest, DrawingModeSwitchesWhichFingersScroll)
{
    auto board = makeBoard();
    board->togglePanMode();
    EXPECT_TRUE(board->panMode());
    EXPECT_EQ(board->scrollView()->panMinimumTouches(), 2);
    board->togglePanMode();
    board->togglePanMode();
    board->togglePanMode();
    EXPECT_FALSE(board->panMode());
    EXPECT_EQ(board->scrollView()->panMinimumTouches(), 1);
}

class BoardTouches : public BoardScreenFixture {
protected:
    void SetUp() override
    {
        BoardScreenFixture::SetUp();
        board_ = makeBoard();
        board_->resetViewport();
        runDelayedWork();  // at the working zoom
        viewport_ = board_->scrollView()->viewport();
    }

    std::unique_ptr<MainViewController> board_;
    QWidget* viewport_ = nullptr;
    QPointingDevice* touchscreen_ = touchscreen();

    // A click as the window system delivers it, at `ms` on its clock, so that Qt's
    // double-click detection sees the real spacing of the clicks.
    void clickAt(QPoint viewportPoint, int ms)
    {
        QWindow* window = board_->windowHandle();
        const QPointF local = window->mapFromGlobal(viewport_->mapToGlobal(viewportPoint));
        const QPointF global = viewport_->mapToGlobal(QPointF(viewportPoint));
        qt_handleMouseEvent(window, local, global, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress, {}, ms);
        qt_handleMouseEvent(window, local, global, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease, {}, ms + 30);
        QCoreApplication::processEvents();
    }

    // One for the whole run: Qt keeps every registered device until it exits.
    static QPointingDevice* touchscreen()
    {
        static QPointingDevice* device = QTest::createTouchDevice();
        return device;
    }
};

TEST_F(BoardTouches, AFingerTapTogglesTheCellUnderIt)
{
    const QPoint point = onScreen(*board_, {100.5 * w, 100.5 * w});
    QTest::touchEvent(viewport_, touchscreen_).press(0, point);
    QTest::touchEvent(viewport_, touchscreen_).release(0, point);
    EXPECT_EQ(board_->lifes(), (LifeSet{{100, 100}}));
}

TEST_F(BoardTouches, AScrollingFingerNeverTogglesACell)
{
    const QPoint start = onScreen(*board_, {100.5 * w, 100.5 * w});
    const QPointF before = board_->scrollView()->contentOffset();
    QTest::touchEvent(viewport_, touchscreen_).press(0, start);
    for (int step = 1; step <= 5; ++step)
        QTest::touchEvent(viewport_, touchscreen_).move(0, start + QPoint(step * 12, step * 9));
    QTest::touchEvent(viewport_, touchscreen_).release(0, start + QPoint(60, 45));
    EXPECT_TRUE(board_->lifes().empty());
    EXPECT_NE(board_->scrollView()->contentOffset(), before);
}

TEST_F(BoardTouches, InDrawingModeOneFingerDrawsAndTwoFingersScroll)
{
    board_->togglePanMode();
    const QPoint start = onScreen(*board_, {100.5 * w, 100.5 * w});
    const QPoint step = onScreen(*board_, {101.5 * w, 100.5 * w}) - start;
    QTest::touchEvent(viewport_, touchscreen_).press(0, start);
    for (int i = 1; i <= 3; ++i)
        QTest::touchEvent(viewport_, touchscreen_).move(0, start + step * i);
    QTest::touchEvent(viewport_, touchscreen_).release(0, start + step * 3);
    EXPECT_EQ(board_->lifes(), (LifeSet{{101, 100}, {102, 100}, {103, 100}}));

    const QPointF before = board_->scrollView()->contentOffset();
    const LifeSet drawn = board_->lifes();
    const QPoint a(100, 300);
    const QPoint b(200, 300);
    QTest::touchEvent(viewport_, touchscreen_).press(0, a).press(1, b);
    QTest::touchEvent(viewport_, touchscreen_).move(0, a + QPoint(0, 40)).move(1, b + QPoint(0, 40));
    QTest::touchEvent(viewport_, touchscreen_).release(0, a + QPoint(0, 40)).release(1, b + QPoint(0, 40));
    EXPECT_EQ(board_->lifes(), drawn);
    EXPECT_NEAR(board_->scrollView()->contentOffset().y(), before.y() - 40, 1);
}

TEST_F(BoardTouches, TwoFingersSpreadingApartZoomIn)
{
    const qreal before = board_->scrollView()->zoomScale();
    QTest::touchEvent(viewport_, touchscreen_).press(0, QPoint(150, 400)).press(1, QPoint(250, 400));
    QTest::touchEvent(viewport_, touchscreen_).move(0, QPoint(100, 400)).move(1, QPoint(300, 400));
    QTest::touchEvent(viewport_, touchscreen_).release(0, QPoint(100, 400)).release(1, QPoint(300, 400));
    EXPECT_NEAR(board_->scrollView()->zoomScale(), std::min(before * 2, 3.0), 1e-6);
    EXPECT_TRUE(board_->lifes().empty());
}

TEST_F(BoardTouches, MouseClickTogglesAndCtrlWheelZoomsWithinTheLimits)
{
    const QPoint point = onScreen(*board_, {90.5 * w, 95.5 * w});
    QTest::mouseClick(viewport_, Qt::LeftButton, {}, point);
    EXPECT_EQ(board_->lifes(), (LifeSet{{90, 95}}));

    QWheelEvent zoomOut(QPointF(195, 422), viewport_->mapToGlobal(QPointF(195, 422)), {}, QPoint(0, -12000),
                        Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(viewport_, &zoomOut);
    EXPECT_DOUBLE_EQ(board_->scrollView()->zoomScale(), board_->scrollView()->minimumZoomScale());
}

TEST_F(BoardTouches, QuickClicksTakenAsADoubleClickStillToggleEachTime)
{
    const QPoint point = onScreen(*board_, {100.5 * w, 100.5 * w});
    // Clock values far from QTest's own, so no earlier click pairs with these.
    clickAt(point, 1'000'000);
    EXPECT_EQ(board_->lifes(), (LifeSet{{100, 100}}));
    clickAt(point, 1'000'100);
    EXPECT_TRUE(board_->lifes().empty());

    // At the minimum zoom neighbouring cells are a few pixels apart.
    board_->scrollView()->setZoomScale(board_->scrollView()->minimumZoomScale(), false);
    for (int i = 0; i < 4; ++i)
        clickAt(onScreen(*board_, {(100.5 + i) * w, 100.5 * w}), 2'000'000 + 150 * i);
    EXPECT_EQ(board_->lifes(), (LifeSet{{100, 100}, {101, 100}, {102, 100}, {103, 100}}));
}

TEST_F(BoardTouches, ADoubleClickEventWithoutItsPressIsTakenAsThePress)
{
    const QPoint point = onScreen(*board_, {100.5 * w, 100.5 * w});
    const QPointF global = viewport_->mapToGlobal(QPointF(point));
    clearCues();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                              QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(point), global, Qt::LeftButton, held, {});
        QCoreApplication::sendEvent(viewport_, &event);
    }
    EXPECT_TRUE(board_->lifes().empty());
    EXPECT_EQ(cues(), (std::vector{sound(1104), kRigid, sound(1104), kSoft}));
}

TEST_F(BoardTouches, ATapThatStopsAFlickOnlyStopsIt)
{
    const QPoint start = onScreen(*board_, {100.5 * w, 100.5 * w});
    QTest::touchEvent(viewport_, touchscreen_).press(0, start);
    for (int step = 1; step <= 5; ++step)
        QTest::touchEvent(viewport_, touchscreen_).move(0, start + QPoint(step * 4, 0));
    QTest::touchEvent(viewport_, touchscreen_).release(0, start + QPoint(20, 0));
    ASSERT_TRUE(board_->scrollView()->isFlicking());

    QTest::touchEvent(viewport_, touchscreen_).press(0, start);
    EXPECT_FALSE(board_->scrollView()->isFlicking());
    QTest::touchEvent(viewport_, touchscreen_).release(0, start);
    EXPECT_TRUE(board_->lifes().empty());

    // The next tap, with nothing moving, toggles as usual.
    const QPoint cell = onScreen(*board_, {100.5 * w, 100.5 * w});
    QTest::touchEvent(viewport_, touchscreen_).press(0, cell);
    QTest::touchEvent(viewport_, touchscreen_).release(0, cell);
    EXPECT_EQ(board_->lifes(), (LifeSet{{100, 100}}));
}
