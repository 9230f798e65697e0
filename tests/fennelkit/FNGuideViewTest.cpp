#include "AnimationStepper.h"
#include "FennelKitTest.h"

#include "FNGuideView.h"

#include "platform/AppWindow.h"
#include "platform/FeedbackEvent.h"
#include "platform/MainScreen.h"
#include "platform/UserDefaults.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPropertyAnimation>
#include <QTest>

using namespace fennelkit;

namespace {

const QString guideKey = QStringLiteral("KeyOfDidShowGuide");

QStringList pages(int count)
{
    QStringList result;
    for (int i = 1; i <= count; ++i)
        result << QStringLiteral("Page %1").arg(i);
    return result;
}

class FNGuideViewTest : public FennelKitTest {
protected:
    // A guide shown in `host_` with its fade-in finished.
    FNGuideView* showGuide(const QStringList& descriptions)
    {
        host_.resize(390, 844);
        FNGuideView* guide = FNGuideView::initFromNib(Qt::black, descriptions, [this] { ++completions_; });
        guide->showGuide(&host_, nullptr);
        advanceAnimations(guide, FNGuideView::fadeInMs);
        return guide;
    }

    bool flagStored() const
    {
        const QVariant value = platform::userDefaults().value(guideKey);
        return value.typeId() == QMetaType::Bool && value.toBool();
    }

    QWidget host_;
    int completions_ = 0;
};

TEST_F(FNGuideViewTest, ShouldShowGuideUnlessTheBooleanTrueIsStored)
{
    EXPECT_TRUE(FNGuideView::shouldShowGuide());
    platform::userDefaults().setValue(guideKey, false);
    EXPECT_TRUE(FNGuideView::shouldShowGuide());
    platform::userDefaults().setValue(guideKey, true);
    EXPECT_FALSE(FNGuideView::shouldShowGuide());
}

TEST_F(FNGuideViewTest, ValueOfAnotherTypeCountsAsNotShown)
{
    platform::userDefaults().setValue(guideKey, QStringLiteral("true"));
    EXPECT_TRUE(FNGuideView::shouldShowGuide());
    platform::userDefaults().setValue(guideKey, 1);
    EXPECT_TRUE(FNGuideView::shouldShowGuide());
}

TEST_F(FNGuideViewTest, GuideTakesTheScreenSizeWhenBuiltAndFadesInOnTheFirstPage)
{
    platform::services().mainScreen().setSizeOverride(QSizeF(375, 667));  // the cached metrics keep 390 x 844
    FNGuideView* guide = FNGuideView::initFromNib(Qt::black, pages(3));
    EXPECT_EQ(guide->geometry(), QRect(0, 0, 375, 667));
    EXPECT_EQ(guide->palette().color(QPalette::Window), QColor(Qt::black));

    guide->showGuide(&host_, nullptr);
    EXPECT_EQ(guide->parentWidget(), &host_);
    EXPECT_EQ(guide->geometry(), QRect(0, 0, 375, 667));
    EXPECT_EQ(guide->guideLabel()->text(), QStringLiteral("Page 1"));
    EXPECT_EQ(guide->alpha(), 0);
    advanceAnimations(guide, FNGuideView::fadeInMs / 2);
    EXPECT_NEAR(guide->alpha(), 0.5, 0.01);
    advanceAnimations(guide, FNGuideView::fadeInMs / 2);
    EXPECT_EQ(guide->alpha(), 1);
}

TEST_F(FNGuideViewTest, SixPagesTakeFiveTapsAndTheSixthFinishes)
{
    QPointer<FNGuideView> guide = showGuide(pages(6));
    for (int tap = 1; tap <= 5; ++tap) {
        guide->nextButton()->click();
        EXPECT_FALSE(guide->nextButton()->isEnabled());
        EXPECT_EQ(guide->index(), tap);
        advanceAnimations(guide, FNGuideView::pageFadeMs);
        EXPECT_EQ(guide->guideLabel()->text(), QStringLiteral("Page %1").arg(tap + 1));
        EXPECT_EQ(guide->labelAlpha(), 0);
        EXPECT_FALSE(guide->nextButton()->isEnabled());
        advanceAnimations(guide, FNGuideView::pageFadeMs);
        EXPECT_EQ(guide->labelAlpha(), 1);
        EXPECT_TRUE(guide->nextButton()->isEnabled());
    }
    EXPECT_FALSE(flagStored());
    EXPECT_EQ(completions_, 0);
    EXPECT_TRUE(FNGuideView::shouldShowGuide());

    guide->nextButton()->click();
    EXPECT_TRUE(flagStored());
    EXPECT_EQ(completions_, 1);
    EXPECT_FALSE(guide->nextButton()->isEnabled());
    EXPECT_EQ(guide->guideLabel()->text(), QStringLiteral("Page 6"));
    advanceAnimations(guide, FNGuideView::fadeOutMs);
    flushDeferredDeletes();
    EXPECT_TRUE(guide.isNull());
    EXPECT_FALSE(FNGuideView::shouldShowGuide());
    const auto soft = platform::FeedbackEvent::impact(platform::ImpactStyle::Soft);
    EXPECT_EQ(feedback().events(), std::vector(6, soft));
}

TEST_F(FNGuideViewTest, OnePageFinishesOnTheFirstTapRunningTheCompletionBeforeTheFadeOut)
{
    qreal alphaAtCompletion = -1;
    QPointer<FNGuideView> guide;
    guide = FNGuideView::initFromNib(Qt::black, pages(1), [&] { alphaAtCompletion = guide->alpha(); });
    guide->showGuide(&host_, nullptr);
    advanceAnimations(guide, FNGuideView::fadeInMs);

    guide->nextButton()->click();
    EXPECT_TRUE(flagStored());
    EXPECT_EQ(alphaAtCompletion, 1);
    advanceAnimations(guide, FNGuideView::fadeOutMs / 2);
    EXPECT_NEAR(guide->alpha(), 0.5, 0.01);
    advanceAnimations(guide, FNGuideView::fadeOutMs / 2);
    flushDeferredDeletes();
    EXPECT_TRUE(guide.isNull());
}

TEST_F(FNGuideViewTest, TapDuringAPageChangeHasNoEffect)
{
    FNGuideView* guide = showGuide(pages(3));
    guide->nextButton()->click();
    advanceAnimations(guide, FNGuideView::pageFadeMs / 2);

    guide->nextButton()->click();
    QTest::mouseClick(guide->nextButton(), Qt::LeftButton);
    guide->nextGuide(guide->nextButton());
    EXPECT_EQ(guide->index(), 1);

    advanceAnimations(guide, FNGuideView::pageFadeMs / 2);
    advanceAnimations(guide, FNGuideView::pageFadeMs);
    EXPECT_EQ(guide->guideLabel()->text(), QStringLiteral("Page 2"));
    EXPECT_TRUE(guide->nextButton()->isEnabled());
}

// The button used to lose only its touches during a change, so a key press on
// the focused button could advance past the last page and read beyond it.
TEST_F(FNGuideViewTest, KeyPressDuringTheLastPageChangeCannotPassTheLastPage)
{
    QPointer<FNGuideView> guide = showGuide(pages(2));
    guide->nextButton()->click();
    QTest::keyClick(guide->nextButton(), Qt::Key_Space);
    QTest::keyClick(guide->nextButton(), Qt::Key_Space);
    EXPECT_EQ(guide->index(), 1);
    EXPECT_FALSE(flagStored());

    advanceAnimations(guide, FNGuideView::pageFadeMs);
    advanceAnimations(guide, FNGuideView::pageFadeMs);
    EXPECT_EQ(guide->guideLabel()->text(), QStringLiteral("Page 2"));

    guide->nextButton()->setFocus();
    QTest::keyClick(guide->nextButton(), Qt::Key_Space);
    EXPECT_EQ(guide->index(), 2);
    EXPECT_EQ(completions_, 1);

    // The finished guide ignores any further tap or key press while it fades out.
    QTest::keyClick(guide->nextButton(), Qt::Key_Space);
    guide->nextGuide(nullptr);
    EXPECT_EQ(guide->index(), 2);
    EXPECT_EQ(completions_, 1);
}

TEST_F(FNGuideViewTest, EmptyPageListShowsAnEmptyPageAndFinishesOnTheFirstTap)
{
    FNGuideView* guide = showGuide({});
    EXPECT_EQ(guide->guideLabel()->text(), QString());
    guide->nextButton()->click();
    EXPECT_TRUE(flagStored());
    EXPECT_EQ(completions_, 1);
}

TEST_F(FNGuideViewTest, HostIsTheKeyWindowElseThePassedWindowElseThePassedView)
{
    QWidget window;
    QWidget view;
    FNGuideView* inWindow = FNGuideView::initFromNib(Qt::black, pages(1));
    inWindow->showGuide(&window, &view);
    EXPECT_EQ(inWindow->parentWidget(), &window);

    FNGuideView* inView = FNGuideView::initFromNib(Qt::black, pages(1));
    inView->showGuide(nullptr, &view);
    EXPECT_EQ(inView->parentWidget(), &view);

    QPointer<FNGuideView> nowhere = FNGuideView::initFromNib(Qt::black, pages(1));
    nowhere->showGuide(nullptr, nullptr);
    flushDeferredDeletes();
    EXPECT_TRUE(nowhere.isNull());

    platform::AppWindow keyWindow;
    platform::setKeyWindow(&keyWindow);
    FNGuideView* inKeyWindow = FNGuideView::initFromNib(Qt::black, pages(1));
    inKeyWindow->showGuide(&window, &view);
    EXPECT_EQ(inKeyWindow->parentWidget(), &keyWindow);
    EXPECT_EQ(keyWindow.children().last(), inKeyWindow);
}

// Regression: a fade stopped by a newer one on the same property never ran its
// completion, leaving the guide on its old page with the button disabled.
TEST_F(FNGuideViewTest, PageChangeStoppedByANewerFadeStillEnablesTheButton)
{
    QPointer<FNGuideView> guide = showGuide(pages(2));
    guide->nextButton()->click();
    advanceAnimations(guide, FNGuideView::pageFadeMs / 2);
    auto* newer = new QPropertyAnimation(guide, "labelAlpha", guide);
    newer->setDuration(FNGuideView::pageFadeMs);
    newer->setEndValue(0.5);
    newer->start(QAbstractAnimation::DeleteWhenStopped);
    QCoreApplication::processEvents();
    advanceAnimations(guide, FNGuideView::pageFadeMs);
    EXPECT_EQ(guide->guideLabel()->text(), QStringLiteral("Page 2"));
    EXPECT_TRUE(guide->nextButton()->isEnabled());
}

// The guide in an active window over a sibling that stands for the covered
// screen; the sibling had the focus before the guide came.
class FNGuideKeyboardTest : public FNGuideViewTest {
protected:
    FNGuideView* showGuideOverCovered(int pageCount)
    {
        host_.resize(390, 844);
        covered_ = new QLineEdit(&host_);
        covered_->installEventFilter(&keysReachingCovered_);
        host_.show();
        host_.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&host_));
        covered_->setFocus();
        FNGuideView* guide = showGuide(pages(pageCount));
        QCoreApplication::processEvents();
        return guide;
    }

    // Counts the key presses that reach the covered screen.
    struct KeyCounter : QObject {
        int presses = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::KeyPress)
                ++presses;
            return false;
        }
    };

    QLineEdit* covered_ = nullptr;
    KeyCounter keysReachingCovered_;
};

TEST_F(FNGuideKeyboardTest, ReturnEnterSpaceAndRightEachPressNext)
{
    FNGuideView* guide = showGuideOverCovered(5);
    EXPECT_EQ(QApplication::focusWidget(), guide->nextButton());
    int index = 0;
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Right}) {
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_EQ(guide->index(), ++index) << key;
        advanceAnimations(guide, FNGuideView::pageFadeMs);
        advanceAnimations(guide, FNGuideView::pageFadeMs);
        EXPECT_EQ(QApplication::focusWidget(), guide->nextButton()) << key;
    }
    EXPECT_EQ(keysReachingCovered_.presses, 0);
}

TEST_F(FNGuideKeyboardTest, TabAndFocusChangesStayInsideTheGuide)
{
    FNGuideView* guide = showGuideOverCovered(3);
    QTest::keyClick(guide->nextButton(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), guide->nextButton());
    QTest::keyClick(guide->nextButton(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), guide->nextButton());
    covered_->setFocus();
    EXPECT_EQ(QApplication::focusWidget(), guide->nextButton());

    // During a page change the disabled button cannot hold the focus: the guide does.
    guide->nextButton()->click();
    EXPECT_EQ(QApplication::focusWidget(), guide);
    QTest::keyClick(guide, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), guide);
}

// Regression: disabling the focused button for a page change handed the focus on
// to the covered screen, which then took the keys meant for the guide.
TEST_F(FNGuideKeyboardTest, KeysDoNotPassThroughTheGuide)
{
    FNGuideView* guide = showGuideOverCovered(3);
    for (Qt::Key key : {Qt::Key_A, Qt::Key_Down, Qt::Key_Left, Qt::Key_PageDown})
        QTest::keyClick(QApplication::focusWidget(), key);
    guide->nextButton()->click();
    for (Qt::Key key : {Qt::Key_Space, Qt::Key_A, Qt::Key_Down})
        QTest::keyClick(QApplication::focusWidget(), key);
    EXPECT_EQ(guide->index(), 1);
    EXPECT_EQ(keysReachingCovered_.presses, 0);
    EXPECT_TRUE(covered_->text().isEmpty());
}

TEST_F(FNGuideKeyboardTest, TheFocusReturnsWhenTheGuideIsDone)
{
    QPointer<FNGuideView> guide = showGuideOverCovered(1);
    QTest::keyClick(guide->nextButton(), Qt::Key_Return);
    advanceAnimations(guide, FNGuideView::fadeOutMs);
    EXPECT_EQ(QApplication::focusWidget(), covered_);
}

TEST_F(FNGuideKeyboardTest, TheFocusMarkIsAThickerEdgeOfTheRoundedButton)
{
    FNGuideView* guide = showGuideOverCovered(2);
    QPushButton* button = guide->nextButton();
    ASSERT_TRUE(button->hasFocus());
    const QImage focused = button->grab().toImage();
    covered_->clearFocus();
    guide->setFocus();
    ASSERT_FALSE(button->hasFocus());
    const QImage unfocused = button->grab().toImage();
    ASSERT_EQ(focused.size(), unfocused.size());

    const int middle = focused.height() / 2;
    // The edge grows inwards on the button's curve ...
    EXPECT_NE(focused.pixel(3, middle), unfocused.pixel(3, middle));
    // ... and nothing is drawn outside its rounded corners or as a rectangle inside it.
    EXPECT_EQ(focused.pixel(1, 1), unfocused.pixel(1, 1));
    EXPECT_EQ(focused.pixel(focused.width() - 2, focused.height() - 2),
              unfocused.pixel(unfocused.width() - 2, unfocused.height() - 2));
    EXPECT_EQ(focused.pixel(12, middle), unfocused.pixel(12, middle));
}

}  // namespace
