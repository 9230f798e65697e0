#include "BoardScreenFixture.h"

#include "board/BoardSettingsReceiver.h"

#include "board/LifeView.h"
#include "FNGuideView.h"
#include "platform/AppWindow.h"
#include "platform/IdleTimer.h"
#include "platform/ZoomingScrollView.h"

#include <QApplication>
#include <QCoreApplication>
#include <QShortcut>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using cellarium::LifeSet;
using platform::FeedbackEvent;

namespace {

void showAsRoot(platform::AppWindow& window, MainViewController* board)
{
    board->setDelayedWork([](int, QObject*, std::function<void()>) {});
    window.resize(390, 844);
    window.setRootViewController(board);
    window.show();
    QCoreApplication::processEvents();
}

}  // namespace

class BoardScreenTest : public BoardScreenFixture {};

namespace {

// Stands in for the options screen: records what the board hands it, and whether
// that happened before it loaded.
class FakeOptionsScreen : public platform::ViewController, public BoardSettingsReceiver {
public:
    SomethingHappenedInMoreViewController* delegate = nullptr;
    std::int64_t rows = 0;
    bool panMode = false;
    bool highSpeed = false;
    bool loadedWhenPrepared = true;

    void setDelegate(SomethingHappenedInMoreViewController* board) override
    {
        delegate = board;
        loadedWhenPrepared = isViewLoaded();
    }
    void setCountOfRows(std::int64_t r) override { rows = r; }
    void setPanMode(bool mode) override { panMode = mode; }
    void setHighSpeed(bool speed) override { highSpeed = speed; }
};

}  // namespace

TEST_F(BoardScreenTest, RestartRightAfterLaunchDoesNothing)
{
    auto board = makeBoard();
    board->resetViewport();
    runDelayedWork();
    board->scrollView()->setZoomScale(2.0, false);
    board->restartPattern();
    EXPECT_DOUBLE_EQ(board->scrollView()->zoomScale(), 2.0);
    EXPECT_TRUE(board->lifes().empty());
}

TEST_F(BoardScreenTest, RestartReturnsToThePatternOfTheFirstStartAtTheWorkingZoom)
{
    auto board = makeBoard();
    board->loadPattern({{10, 10}, {11, 10}, {12, 10}});
    board->startOrPauseGame(nullptr);
    tick(*board);
    board->scrollView()->setZoomScale(2.5, false);
    board->restartPattern();
    EXPECT_FALSE(board->startGame());
    EXPECT_EQ(board->lifes(), (LifeSet{{10, 10}, {11, 10}, {12, 10}}));
    EXPECT_DOUBLE_EQ(board->scrollView()->zoomScale(), 1.4);
    board->restartPattern();  // again: the start pattern is kept
    EXPECT_EQ(board->lifes(), (LifeSet{{10, 10}, {11, 10}, {12, 10}}));
}

TEST_F(BoardScreenTest, ClearWhileRunningPausesAndForgetsTheStartPattern)
{
    auto board = makeBoard();
    board->loadPattern({{10, 10}, {11, 10}, {12, 10}});
    board->startOrPauseGame(nullptr);
    board->clearBoard();
    EXPECT_FALSE(board->startGame());
    EXPECT_TRUE(board->lifes().empty());
    EXPECT_FALSE(board->initLifes());
    board->restartPattern();
    EXPECT_TRUE(board->lifes().empty());
}

TEST_F(BoardScreenTest, LoadedPatternIsDrawnAndBecomesTheStartPattern)
{
    auto board = makeBoard();
    const LifeSet pattern{{20, 20}, {21, 21}};
    board->loadPattern(pattern);
    EXPECT_EQ(board->lifes(), pattern);
    EXPECT_EQ(*board->initLifes(), pattern);
    const QList<QGraphicsItem*> layers = board->contentView()->childItems();
    ASSERT_EQ(layers.size(), 2);
}

TEST_F(BoardScreenTest, OptionsButtonClicksWithARigidHapticAndOpensTheOptions)
{
    auto board = makeBoard();
    FakeOptionsScreen* options = nullptr;
    board->addSegue(QStringLiteral("ShowMore"), [&] { return options = new FakeOptionsScreen; });
    board->moreButton()->click();
    EXPECT_EQ(cues(), (std::vector{sound(1105), FeedbackEvent::impact(platform::ImpactStyle::Rigid)}));
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(board->presentedViewController(), options);
    EXPECT_EQ(options->delegate, board.get());
}

TEST_F(BoardScreenTest, FreshInstallationStartsWithTheFirstRunPatternAndTheGuide)
{
    auto* board = new MainViewController;
    EXPECT_EQ(board->lifes().count(), 40u);
    platform::AppWindow window;
    showAsRoot(window, board);
    EXPECT_NE(window.findChild<fennelkit::FNGuideView*>(), nullptr);
    EXPECT_TRUE(platform::services().idleTimer().isIdleTimerDisabled());
}

TEST_F(BoardScreenTest, CompletedGuideMeansAnEmptyBoardAndNoGuide)
{
    platform::userDefaults().setValue(QStringLiteral("KeyOfDidShowGuide"), true);
    auto* board = new MainViewController;
    EXPECT_TRUE(board->lifes().empty());
    platform::AppWindow window;
    showAsRoot(window, board);
    EXPECT_EQ(window.findChild<fennelkit::FNGuideView*>(), nullptr);
}

TEST_F(BoardScreenTest, OpeningTheOptionsHandsThemTheBoardAndCopiesOfItsSettings)
{
    auto board = makeBoard();
    board->changeBoardSize();
    board->togglePanMode();
    board->setHighSpeed(true);
    FakeOptionsScreen* options = nullptr;
    board->addSegue(QStringLiteral("ShowMore"), [&] { return options = new FakeOptionsScreen; });
    board->performSegue(QStringLiteral("ShowMore"), board->moreButton());
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->delegate, board.get());
    EXPECT_FALSE(options->loadedWhenPrepared);
    EXPECT_EQ(options->rows, 380);
    EXPECT_TRUE(options->panMode);
    EXPECT_TRUE(options->highSpeed);
}

TEST_F(BoardScreenTest, ButtonsAreNamedForWhatTheyDoAndTheStartButtonFollowsTheRun)
{
    auto board = makeBoard();
    EXPECT_EQ(board->moreButton()->accessibleName(), "Options");
    EXPECT_EQ(board->moreButton()->toolTip(), "Options");
    EXPECT_EQ(board->startOrPauseButton()->accessibleName(), "Start");
    board->startOrPauseGame(nullptr);
    EXPECT_EQ(board->startOrPauseButton()->accessibleName(), "Pause");
    EXPECT_EQ(board->startOrPauseButton()->toolTip(), "Pause");
    board->startOrPauseGame(nullptr);
    EXPECT_EQ(board->startOrPauseButton()->accessibleName(), "Start");
}

// Space used to start or pause the board from anywhere in the window, under the
// first-run guide and under a sheet too.
class SpaceKey : public BoardScreenFixture {
protected:
    void show(bool guideDone)
    {
        if (guideDone)
            platform::userDefaults().setValue(QStringLiteral("KeyOfDidShowGuide"), true);
        board_ = new MainViewController;
        showAsRoot(window_, board_);
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    }
    void pressSpaceOn(QWidget* widget)
    {
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_Space);
    }

    platform::AppWindow window_;
    MainViewController* board_ = nullptr;
};

TEST_F(SpaceKey, StartsAndPausesTheBoardWhenNothingCoversIt)
{
    show(true);
    pressSpaceOn(board_->scrollView());
    EXPECT_TRUE(board_->startGame());
    pressSpaceOn(board_->scrollView());
    EXPECT_FALSE(board_->startGame());
}

TEST_F(SpaceKey, UnderTheGuidePressesNextAndLeavesTheBoardAlone)
{
    show(false);
    auto* guide = window_.findChild<fennelkit::FNGuideView*>();
    ASSERT_NE(guide, nullptr);
    int nextPresses = 0;
    QObject::connect(guide->nextButton(), &QPushButton::clicked, [&] { ++nextPresses; });
    pressSpaceOn(guide->nextButton());
    EXPECT_EQ(nextPresses, 1);
    pressSpaceOn(board_->scrollView());  // the guide still covers the board
    EXPECT_FALSE(board_->startGame());
}

TEST_F(SpaceKey, UnderASheetPressesTheSheetsFocusedControl)
{
    show(true);
    auto* sheet = new platform::ViewController;
    auto* button = new QPushButton(QStringLiteral("OK"), sheet);
    int presses = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++presses; });
    board_->present(sheet, false);
    pressSpaceOn(button);
    EXPECT_EQ(presses, 1);
    pressSpaceOn(board_->scrollView());
    EXPECT_FALSE(board_->startGame());
}

TEST_F(BoardScreenTest, ButtonsSitOnPlatesWithTouchTargetsOfAtLeast44Points)
{
    auto board = makeBoard();
    for (QToolButton* button : {board->startOrPauseButton(), board->moreButton()}) {
        EXPECT_FALSE(button->autoRaise());  // no frame that only the mouse brings up
        EXPECT_GE(button->minimumSize().width(), 44);
        EXPECT_GE(button->minimumSize().height(), 44);
        // The plate is opaque enough to keep the glyph visible over live cells.
        const QImage image = button->grab().toImage();
        EXPECT_GT(qAlpha(image.pixel(image.width() / 2, 3)), 150);
    }
}

TEST_F(SpaceKey, HeldSpaceDoesNotRepeatAndCtrlKeysZoom)
{
    show(true);
    QWidget* view = board_->scrollView();
    view->setFocus();
    for (const QShortcut* shortcut : board_->findChildren<QShortcut*>())
        EXPECT_FALSE(shortcut->autoRepeat()) << shortcut->key().toString().toStdString();

    const double before = board_->scrollView()->zoomScale();
    QTest::keyClick(view, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_LT(board_->scrollView()->zoomScale(), before);
    QTest::keyClick(view, Qt::Key_0, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(board_->scrollView()->zoomScale(), 1.4);
    QTest::keyClick(view, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_GT(board_->scrollView()->zoomScale(), 1.4);
}

TEST_F(SpaceKey, TheBoardHasTheFocusOnceShown)
{
    show(true);
    EXPECT_EQ(QApplication::focusWidget(), board_->scrollView());
}
