#include "platform/AppWindow.h"
#include "platform/Segue.h"
#include "platform/ViewController.h"

#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using platform::AppWindow;
using platform::PresentationStyle;
using platform::Segue;
using platform::ViewController;

namespace {

using Log = std::vector<std::string>;

// A screen that writes every lifecycle call into a shared log.
class LoggingScreen : public ViewController {
public:
    LoggingScreen(std::string name, Log& log) : name_(std::move(name)), log_(log) {}

    std::function<void(Segue&, QObject*)> onPrepare;

protected:
    void viewDidLoad() override { note("load"); }
    void viewWillAppear(bool) override { note("willAppear"); }
    void viewDidAppear(bool) override { note("didAppear"); }
    void viewWillDisappear(bool) override { note("willDisappear"); }
    void viewDidDisappear(bool) override { note("didDisappear"); }
    void prepare(Segue& segue, QObject* sender) override
    {
        note("prepare " + segue.identifier.toStdString());
        if (onPrepare)
            onPrepare(segue, sender);
    }

private:
    void note(const std::string& what) { log_.push_back(name_ + " " + what); }

    std::string name_;
    Log& log_;
};

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class ViewControllerTest : public ::testing::Test {
protected:
    void SetUp() override { ViewController::setAnimationsEnabled(false); }
    void TearDown() override { ViewController::setAnimationsEnabled(true); }

    // A shown window with a root screen, its own appearance already logged and cleared.
    LoggingScreen* showRoot()
    {
        auto* root = new LoggingScreen("root", log);
        window.resize(390, 844);
        window.setRootViewController(root);
        window.show();
        QCoreApplication::processEvents();
        log.clear();
        return root;
    }

    struct ScreenStack {
        LoggingScreen* root;
        LoggingScreen* options;
        LoggingScreen* archive;
    };
    // The root presenting "options", which presents "archive", all without animation; log cleared.
    ScreenStack showOptionsUnderArchive()
    {
        LoggingScreen* root = showRoot();
        auto* options = new LoggingScreen("options", log);
        auto* archive = new LoggingScreen("archive", log);
        root->present(options, false);
        options->present(archive, false);
        log.clear();
        return {root, options, archive};
    }

    Log log;
    AppWindow window;
};

TEST_F(ViewControllerTest, RootAppearsOnceWhenTheWindowFirstShows)
{
    auto* root = new LoggingScreen("root", log);
    window.setRootViewController(root);
    EXPECT_EQ(log, (Log{"root load"}));
    window.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(log, (Log{"root load", "root willAppear", "root didAppear"}));

    // Hiding and showing again, or minimising and restoring, is no new appearance.
    log.clear();
    window.hide();
    window.show();
    window.setWindowState(Qt::WindowMinimized);
    window.setWindowState(Qt::WindowNoState);
    QCoreApplication::processEvents();
    EXPECT_TRUE(log.empty());
}

TEST_F(ViewControllerTest, ReplacingTheRootOfAShownWindowSwapsAppearances)
{
    QPointer<LoggingScreen> first = showRoot();
    window.setRootViewController(new LoggingScreen("second", log));
    QCoreApplication::processEvents();
    EXPECT_EQ(log, (Log{"root willDisappear", "root didDisappear", "second load", "second willAppear", "second didAppear"}));
    flushDeletes();
    EXPECT_TRUE(first.isNull());
}

TEST_F(ViewControllerTest, PresentLoadsAndShowsTheSheetAndLeavesThePresenterAlone)
{
    LoggingScreen* root = showRoot();
    auto* sheet = new LoggingScreen("sheet", log);
    root->present(sheet, true, [this] { log.push_back("completion"); });

    EXPECT_EQ(log, (Log{"sheet load", "sheet willAppear", "sheet didAppear", "completion"}));
    EXPECT_EQ(root->presentedViewController(), sheet);
    EXPECT_EQ(sheet->presentingViewController(), root);
    EXPECT_EQ(sheet->window(), &window);
    EXPECT_TRUE(sheet->isVisible());
}

TEST_F(ViewControllerTest, DismissFromEitherSideRemovesTheSheetAndThenCompletes)
{
    for (bool fromPresenter : {false, true}) {
        SCOPED_TRACE(fromPresenter);
        LoggingScreen* root = showRoot();
        QPointer<LoggingScreen> sheet = new LoggingScreen("sheet", log);
        root->present(sheet, false);
        log.clear();

        ViewController* dismisser = fromPresenter ? static_cast<ViewController*>(root) : sheet.data();
        dismisser->dismiss(true, [this, root] {
            log.push_back(root->presentedViewController() ? "completion while presenting" : "completion");
        });
        EXPECT_EQ(log, (Log{"sheet willDisappear", "sheet didDisappear", "completion"}));
        EXPECT_EQ(sheet->presentingViewController(), nullptr);
        flushDeletes();
        EXPECT_TRUE(sheet.isNull());
    }
}

TEST_F(ViewControllerTest, DismissingALowerScreenTakesEverythingAboveIt)
{
    auto [root, options, archive] = showOptionsUnderArchive();

    root->dismiss(false, [this] { log.push_back("completion"); });
    EXPECT_EQ(log, (Log{"archive willDisappear", "options willDisappear", "archive didDisappear",
                        "options didDisappear", "completion"}));
    EXPECT_EQ(root->presentedViewController(), nullptr);
}

TEST_F(ViewControllerTest, CompletionCanDismissThePresenterInTurn)
{
    // The hand-back of a chosen pattern: the top screen closes, then its presenter.
    auto [root, options, archive] = showOptionsUnderArchive();

    archive->dismiss(false, [this, options] {
        log.push_back("hand back");
        options->dismiss(false);
    });
    EXPECT_EQ(log, (Log{"archive willDisappear", "archive didDisappear", "hand back", "options willDisappear",
                        "options didDisappear"}));
    EXPECT_EQ(root->presentedViewController(), nullptr);
}

TEST_F(ViewControllerTest, DismissWithNothingPresentedStillCompletes)
{
    LoggingScreen* root = showRoot();
    bool completed = false;
    root->dismiss(true, [&] { completed = true; });
    EXPECT_TRUE(completed);
    EXPECT_TRUE(log.empty());
}

TEST_F(ViewControllerTest, SecondPresentationIsRefusedAndItsScreenDeleted)
{
    LoggingScreen* root = showRoot();
    auto* first = new LoggingScreen("first", log);
    root->present(first, false);
    QPointer<LoggingScreen> second = new LoggingScreen("second", log);
    bool completed = false;
    root->present(second, false, [&] { completed = true; });
    flushDeletes();
    EXPECT_TRUE(second.isNull());
    EXPECT_FALSE(completed);
    EXPECT_EQ(root->presentedViewController(), first);
}

TEST_F(ViewControllerTest, DeletingThePresenterTakesItsSheetAlong)
{
    auto* presenter = new LoggingScreen("presenter", log);
    window.setRootViewController(presenter);
    QPointer<LoggingScreen> sheet = new LoggingScreen("sheet", log);
    presenter->present(sheet, false);
    delete presenter;
    EXPECT_TRUE(sheet.isNull());
}

TEST_F(ViewControllerTest, SegueDestinationIsPreparedBeforeItLoads)
{
    LoggingScreen* root = showRoot();
    QPointer<LoggingScreen> destination;
    root->addSegue(QStringLiteral("ShowMore"), [&]() -> ViewController* {
        destination = new LoggingScreen("more", log);
        return destination;
    });
    QPushButton button;
    root->onPrepare = [&](Segue& segue, QObject* sender) {
        EXPECT_EQ(segue.source, root);
        EXPECT_EQ(segue.destination, destination);
        EXPECT_FALSE(segue.destination->isViewLoaded());
        EXPECT_EQ(sender, &button);
    };
    root->performSegue(QStringLiteral("ShowMore"), &button);
    EXPECT_EQ(log, (Log{"root prepare ShowMore", "more load", "more willAppear", "more didAppear"}));
    EXPECT_EQ(root->presentedViewController(), destination);
}

TEST_F(ViewControllerTest, ScreenOwnSegueWinsOverTheProcessWideOne)
{
    LoggingScreen* root = showRoot();
    ViewController::registerSegue(QStringLiteral("QRCode"), [&] { return new LoggingScreen("shared", log); });
    root->performSegue(QStringLiteral("QRCode"), nullptr);
    root->dismiss(false);
    root->addSegue(QStringLiteral("QRCode"), [&] { return new LoggingScreen("own", log); });
    root->performSegue(QStringLiteral("QRCode"), nullptr);
    ViewController::unregisterSegue(QStringLiteral("QRCode"));
    EXPECT_EQ(log[1], "shared load");
    EXPECT_EQ(log.back(), "own didAppear");
}

TEST_F(ViewControllerTest, UnknownSeguePresentsNothing)
{
#ifndef QT_NO_DEBUG
    GTEST_SKIP() << "asserts in debug builds";
#endif
    LoggingScreen* root = showRoot();
    root->performSegue(QStringLiteral("Nowhere"), nullptr);
    EXPECT_EQ(root->presentedViewController(), nullptr);
    EXPECT_TRUE(log.empty()); // not even prepared
}

TEST_F(ViewControllerTest, SheetsTakeTheirPlaceInTheWindowAndFollowItsSize)
{
    LoggingScreen* root = showRoot();
    auto* sheet = new LoggingScreen("sheet", log);
    root->present(sheet, false);
    EXPECT_EQ(sheet->geometry(), QRect(0, 40, 390, 804));

    auto* card = new LoggingScreen("card", log);
    card->setModalPresentationStyle(PresentationStyle::Centered);
    card->setFixedSize(200, 100);
    sheet->present(card, false);
    EXPECT_EQ(card->geometry(), QRect(95, 372, 200, 100));

    window.resize(600, 500);
    EXPECT_EQ(sheet->geometry(), QRect(0, 40, 600, 460));
    EXPECT_EQ(card->geometry().center(), QRect(0, 0, 600, 500).center());
}

TEST_F(ViewControllerTest, TouchesBesideASheetDoNotReachThePresenter)
{
    LoggingScreen* root = showRoot();
    auto* button = new QPushButton(QStringLiteral("under"), root);
    button->setGeometry(0, 0, 390, 30);
    button->show();
    root->present(new LoggingScreen("sheet", log), false);
    QWidget* hit = window.childAt(QPoint(100, 15));
    EXPECT_NE(hit, button);
    EXPECT_NE(hit, nullptr);
}

class AnimatedPresentationTest : public ViewControllerTest {
protected:
    void SetUp() override { ViewController::setAnimationsEnabled(true); }
};

TEST_F(AnimatedPresentationTest, SheetSlidesUpAndAppearsWhenItArrives)
{
    LoggingScreen* root = showRoot();
    auto* sheet = new LoggingScreen("sheet", log);
    root->present(sheet, true);
    EXPECT_EQ(log, (Log{"sheet load", "sheet willAppear"}));
    EXPECT_GT(sheet->y(), 40);

    ASSERT_TRUE(QTest::qWaitFor([&] { return log.back() == "sheet didAppear"; }, 5000));
    EXPECT_EQ(sheet->y(), 40);

    sheet->dismiss(true);
    EXPECT_EQ(log.back(), "sheet willDisappear");
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.back() == "sheet didDisappear"; }, 5000));
}

TEST_F(AnimatedPresentationTest, DismissDuringTheSlideInFirstCompletesTheAppearance)
{
    LoggingScreen* root = showRoot();
    auto* sheet = new LoggingScreen("sheet", log);
    root->present(sheet, true, [this] { log.push_back("presented"); });
    sheet->dismiss(false);
    EXPECT_EQ(log, (Log{"sheet load", "sheet willAppear", "sheet didAppear", "presented", "sheet willDisappear",
                        "sheet didDisappear"}));
}

TEST_F(AnimatedPresentationTest, SecondDismissWhileSlidingOutOnlyAddsItsCompletion)
{
    LoggingScreen* root = showRoot();
    auto* sheet = new LoggingScreen("sheet", log);
    root->present(sheet, false);
    log.clear();
    sheet->dismiss(true, [this] { log.push_back("first"); });
    sheet->dismiss(true, [this] { log.push_back("second"); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.size() >= 4; }, 5000));
    EXPECT_EQ(log, (Log{"sheet willDisappear", "sheet didDisappear", "first", "second"}));
}

TEST_F(AnimatedPresentationTest, AnimationsOffCompletesAtOnce)
{
    ViewController::setAnimationsEnabled(false);
    LoggingScreen* root = showRoot();
    root->present(new LoggingScreen("sheet", log), true);
    EXPECT_EQ(log.back(), "sheet didAppear");
}

TEST(KeyWindow, ShownActiveAppWindowIsKeyAndHiddenOneIsNot)
{
    AppWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(platform::keyWindow(), &window);
    window.hide();
    EXPECT_EQ(platform::keyWindow(), nullptr);
}

TEST(KeyWindow, OverrideWinsUntilCleared)
{
    AppWindow window;
    platform::setKeyWindow(&window);
    EXPECT_EQ(platform::keyWindow(), &window);
    platform::setKeyWindow(nullptr);
    EXPECT_EQ(platform::keyWindow(), nullptr);
}

} // namespace
