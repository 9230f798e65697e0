#include "BoardScreenFixture.h"

#include "BoardSettingsReceiver.h"

#include "FNGuideView.h"
#include "LifeView.h"
#include "platform/AppWindow.h"
#include "platform/IdleTimer.h"
#include "platform/ZoomingScrollView.h"

#include <QCoreApplication>
#include <QToolButton>

using cellarium::boardGeometry;
using cellarium::LifeSet;
using platform::FeedbackEvent;

namespace {

constexpr double kMinimumZoom = 844 / (44.0 / 3 * 190);

void showAsRoot(platform::AppWindow& window, MainViewController* board)
{
    board->setDelayedWork([](int, QObject*, std::function<void()>) {});
    window.resize(390, 844);
    window.setRootViewController(board);
    window.show();
    QCoreApplication::processEvents();
}

}  // namespace

TEST_F(BoardScreen, ZoomLimitsFollowTheScreenAndTheBoard)
{
    auto board = makeBoard();
    EXPECT_DOUBLE_EQ(board->scrollView()->maximumZoomScale(), 3.0);
    EXPECT_DOUBLE_EQ(board->scrollView()->minimumZoomScale(), kMinimumZoom);
    EXPECT_NEAR(board->contentView()->contentSide(), 2786.6667, 1e-3);
}

TEST_F(BoardScreen, ResetViewportCentresAtZoomOneThenEasesToTheWorkingZoom)
{
    auto board = makeBoard();
    board->resetViewport();
    const platform::ZoomingScrollView* view = board->scrollView();
    EXPECT_DOUBLE_EQ(view->zoomScale(), 1.0);
    EXPECT_NEAR(view->contentOffset().x(), (2786.6667 - 390) / 2, 1);
    EXPECT_NEAR(view->contentOffset().y(), (2786.6667 - 844) / 2, 1);
    EXPECT_NEAR(board->separateLineAlphe(), 1.4 / (3 - kMinimumZoom), 1e-9);
    ASSERT_EQ(delayed_.size(), 1u);
    runDelayedWork();
    EXPECT_DOUBLE_EQ(view->zoomScale(), 1.4);
    EXPECT_NEAR(board->separateLineAlphe(), 1.4 / (3 - kMinimumZoom), 1e-9);
    EXPECT_EQ(board->contentView()->childItems().size(), 2);
}

TEST_F(BoardScreen, BoardSizeChangeCyclesAndKeepsThePatternCentred)
{
    auto board = makeBoard();
    board->loadPattern({{100, 100}});
    board->changeBoardSize();
    EXPECT_EQ(boardGeometry().countOfRows(), 380);
    EXPECT_EQ(board->lifes(), (LifeSet{{195, 195}}));
    EXPECT_EQ(*board->initLifes(), (LifeSet{{195, 195}}));
    EXPECT_NEAR(board->contentView()->contentSide(), 5573.3333, 1e-3);
    EXPECT_DOUBLE_EQ(board->scrollView()->minimumZoomScale(), 844 / (44.0 / 3 * 380));

    board->changeBoardSize();
    EXPECT_EQ(boardGeometry().countOfRows(), 760);
    board->loadPattern({{380, 380}, {10, 10}});
    board->changeBoardSize();
    EXPECT_EQ(boardGeometry().countOfRows(), 190);
    EXPECT_EQ(board->lifes(), (LifeSet{{95, 95}, {-275, -275}}));
}

TEST_F(BoardScreen, BoardSizeChangeLeavesAnAbsentStartPatternAbsentAndDropsOverflowingCells)
{
    auto board = makeBoard();
    board->toggleLife({INT64_MAX - 10, 5});
    board->toggleLife({1, 1});
    board->changeBoardSize();
    EXPECT_FALSE(board->initLifes());
    EXPECT_EQ(board->lifes(), (LifeSet{{96, 96}}));
}

TEST_F(BoardScreen, RestartRightAfterLaunchDoesNothing)
{
    auto board = makeBoard();
    board->resetViewport();
    runDelayedWork();
    board->scrollView()->setZoomScale(2.0, false);
    board->restartPattern();
    EXPECT_DOUBLE_EQ(board->scrollView()->zoomScale(), 2.0);
    EXPECT_TRUE(board->lifes().empty());
}

TEST_F(BoardScreen, RestartReturnsToThePatternOfTheFirstStartAtTheWorkingZoom)
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

TEST_F(BoardScreen, ClearWhileRunningPausesAndForgetsTheStartPattern)
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

TEST_F(BoardScreen, LoadedPatternIsDrawnAndBecomesTheStartPattern)
{
    auto board = makeBoard();
    const LifeSet pattern{{20, 20}, {21, 21}};
    board->loadPattern(pattern);
    EXPECT_EQ(board->lifes(), pattern);
    EXPECT_EQ(*board->initLifes(), pattern);
    const QList<QGraphicsItem*> layers = board->contentView()->childItems();
    ASSERT_EQ(layers.size(), 2);
}

TEST_F(BoardScreen, OptionsButtonClicksWithARigidHaptic)
{
    auto board = makeBoard();
    board->moreButton()->click();
    EXPECT_EQ(cues(), (std::vector{sound(1105), FeedbackEvent::impact(platform::ImpactStyle::Rigid)}));
}

TEST_F(BoardScreen, ZoomChangesFadeTheGridWithTheZoom)
{
    auto board = makeBoard();
    board->scrollView()->setZoomScale(1.4, false);
    EXPECT_NEAR(board->separateLineAlphe(), 1.4 / (3 - kMinimumZoom), 1e-9);
    board->scrollView()->setZoomScale(3, false);
    EXPECT_NEAR(board->separateLineAlphe(), 3 / (3 - kMinimumZoom), 1e-9);
}

TEST_F(BoardScreen, FreshInstallationStartsWithTheFirstRunPatternAndTheGuide)
{
    auto* board = new MainViewController;
    EXPECT_EQ(board->lifes().count(), 40u);
    platform::AppWindow window;
    showAsRoot(window, board);
    EXPECT_NE(window.findChild<fennelkit::FNGuideView*>(), nullptr);
    EXPECT_TRUE(platform::idleTimer().isIdleTimerDisabled());
}

TEST_F(BoardScreen, CompletedGuideMeansAnEmptyBoardAndNoGuide)
{
    platform::userDefaults().setValue(QStringLiteral("KeyOfDidShowGuide"), true);
    auto* board = new MainViewController;
    EXPECT_TRUE(board->lifes().empty());
    platform::AppWindow window;
    showAsRoot(window, board);
    EXPECT_EQ(window.findChild<fennelkit::FNGuideView*>(), nullptr);
}

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

TEST_F(BoardScreen, OpeningTheOptionsHandsThemTheBoardAndCopiesOfItsSettings)
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
