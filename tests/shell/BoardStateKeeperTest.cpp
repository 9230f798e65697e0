#include "shell/BoardStateKeeper.h"
#include "shell/SceneDelegate.h"

#include "board/MainViewController.h"
#include "model/BoardGeometry.h"
#include "model/BoardStateCoding.h"
#include "platform/AppWindow.h"
#include "platform/UserDefaults.h"
#include "platform/ZoomingScrollView.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using cellarium::BoardState;
using cellarium::LifeSet;

namespace {

// One launch of the board screen as the app makes it: a window with the board at its
// root and a keeper of the board's state file.
struct Launch {
    explicit Launch(const QString& statePath)
    {
        board = new MainViewController;
        // Delayed work runs when show() says: the delay has passed by then.
        board->setDelayedWork([this](int, QObject*, std::function<void()> work) { delayed.push_back(std::move(work)); });
        window.resize(390, 844);
        window.setRootViewController(board);
        keeper.emplace(*board, statePath);
    }
    void show()
    {
        window.show();
        // The board appears on the next turn of the event loop.
        for (int i = 0; i < 10; ++i)
            QCoreApplication::processEvents();
        for (auto works = std::exchange(delayed, {}); auto& work : works)
            work();
        const QDeadlineTimer deadline(30000);  // an eased zoom it started
        while (board->scrollView()->isAnimating() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }

    platform::AppWindow window;
    MainViewController* board = nullptr;
    std::optional<BoardStateKeeper> keeper;
    std::vector<std::function<void()>> delayed;
};

std::optional<BoardState> stateIn(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    return cellarium::decodeBoardState(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

class BoardStateKeeping : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::setUserDefaults(std::make_unique<platform::UserDefaults>(dir_.filePath("defaults.json")));
        platform::userDefaults().setValue(QStringLiteral("KeyOfDidShowGuide"), true);  // not a first run
    }
    void TearDown() override
    {
        platform::setUserDefaults(nullptr);
    }

    QTemporaryDir dir_;
    const QString path_ = dir_.filePath("state/board-state.json");
};

}  // namespace

// Every part of the board comes back in the next launch, and on the board itself, not
// only in the file: the size with its zoom limits, the start pattern a restart returns
// to, the view instead of the framing a fresh board gets (once, the working zoom eased
// in after the restored size's framing replaced the restored view).
TEST_F(BoardStateKeeping, TheBoardOfOneLaunchIsTheBoardOfTheNext)
{
    const LifeSet glider{{300, 300}, {301, 301}, {299, 302}, {300, 302}, {301, 302}};
    LifeSet edited = glider;
    edited.insert({10, 12});
    {
        Launch first(path_);
        first.show();
        first.board->changeBoardSize();  // 190 → 380
        ASSERT_TRUE(first.board->loadPattern(glider));
        first.board->toggleLife({10, 12});
        first.board->setHighSpeed(true);
        first.board->togglePanMode();
        first.board->setGeneration(42);
        first.board->setViewState({2.0, 300, 400});
        first.keeper->finish();
    }
    const std::optional<BoardState> kept = stateIn(path_);
    ASSERT_TRUE(kept);

    Launch second(path_);
    ASSERT_TRUE(second.keeper->restore());
    second.show();
    MainViewController& board = *second.board;
    EXPECT_EQ(board.lifes(), edited);
    EXPECT_EQ(board.initLifes(), std::optional(glider));
    EXPECT_EQ(board.generation(), 42);
    EXPECT_TRUE(board.highSpeed());
    EXPECT_TRUE(board.panMode());
    EXPECT_EQ(board.geometry().countOfRows(), 380);
    EXPECT_DOUBLE_EQ(board.scrollView()->zoomScale(), 2.0);
    EXPECT_EQ(board.scrollView()->contentOffset(), QPointF(300, 400));
    EXPECT_FALSE(board.startGame());
    // What is restored is written back unchanged.
    EXPECT_EQ(BoardStateKeeper::stateOf(board), *kept);
    board.restartPattern();
    EXPECT_EQ(board.lifes(), glider);
}

// A damaged file must never keep the app from starting, nor be silently overwritten.
TEST_F(BoardStateKeeping, ADamagedFileIsSetAsideWithOneLineAndTheBoardStartsAsWithoutOne)
{
    for (const QByteArray& damaged : {QByteArray("{\"format\":1,\"lifes\":[{\"x\":"), QByteArray("\xff\xfe\x00", 3)}) {
        {
            Launch first(path_);
            first.board->loadPattern(LifeSet{{1, 1}});
            first.keeper->finish();
        }
        QFile file(path_);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(damaged);
        file.close();

        Launch next(path_);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(next.keeper->restore());
        const std::string said = ::testing::internal::GetCapturedStderr();
        next.show();
        EXPECT_TRUE(next.board->lifes().empty());
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_NE(said.find(path_.toStdString()), std::string::npos) << said;
        QFile aside(path_ + ".corrupt");
        ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
        EXPECT_EQ(aside.readAll(), damaged);
        aside.remove();
        next.keeper->finish();
        EXPECT_TRUE(stateIn(path_));  // the next write starts a good file
    }
}

// Leaving the foreground and each edit hand the board over without waiting for the end
// of the run; of states handed over quickly, the file ends with the latest.
TEST_F(BoardStateKeeping, LeavingTheForegroundAndEditsAreSavedAndTheLatestStateWins)
{
    Launch launch(path_);
    launch.show();
    SceneDelegate scene;
    scene.window = &launch.window;
    scene.stateKeeper = &*launch.keeper;
    const auto waitForFile = [&](auto holds) {
        const QDeadlineTimer deadline(30000);
        while (!deadline.hasExpired()) {
            if (const auto state = stateIn(path_); state && holds(*state))
                return true;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        return false;
    };
    launch.board->setGeneration(7);
    scene.applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_TRUE(waitForFile([](const BoardState& s) { return s.generation == 7; }));
    launch.board->toggleLife({5, 5});
    EXPECT_TRUE(waitForFile([](const BoardState& s) { return s.lifes == LifeSet{{5, 5}}; }));

    BoardStateWriter writer(path_);
    BoardState state;
    for (int g = 0; g < 50; ++g) {
        state.generation = g;
        writer.submit(state);
    }
    writer.waitForWrites();
    ASSERT_TRUE(stateIn(path_));
    EXPECT_EQ(stateIn(path_)->generation, 49);
}
