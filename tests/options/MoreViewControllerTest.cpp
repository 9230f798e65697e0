#include "OptionsScreenFixture.h"

#include "options/BigAlertController.h"
#include "options/OptionCell.h"
#include "widgets/DesignableImageView.h"
#include "widgets/DesignableView.h"

#include "FennelKitTesting.h"
#include "FNApp.h"
#include "FNGuideView.h"
#include "FNMore.h"
#include "model/BoardGeometry.h"
#include "model/PatternCoding.h"
#include "platform/AlertCard.h"
#include "platform/GridView.h"
#include "platform/InAppBrowser.h"
#include "platform/MailComposer.h"
#include "platform/NoticeLine.h"
#include "platform/Storefront.h"
#include "platform/UserDefaults.h"

#include <QAccessible>
#include <QPushButton>
#include <QTest>

using cellarium::Life;
using cellarium::LifeSet;
using fennelkit::FNApp;
using fennelkit::FNMore;

namespace {

OptionCell* cellOf(MoreViewController& more, int row)
{
    more.collectionView()->scrollToItem(row);
    return static_cast<OptionCell*>(more.collectionView()->cellForItem(row));
}

LifeSet blinker()
{
    return LifeSet{Life{10, 10}, Life{11, 10}, Life{12, 10}};
}

template <typename Screen>
Screen* presentedOver(platform::ViewController* screen)
{
    return screen ? qobject_cast<Screen*>(screen->presentedViewController()) : nullptr;
}

}  // namespace

// --- Opening and the board settings ---------------------------------------------

TEST_F(OptionsScreen, OpensFromTheBoardWithTheBoardsSettingsAndEighteenItems)
{
    MainViewController& root = board();
    root.changeBoardSize();  // 380
    root.togglePanMode();
    root.setHighSpeed(true);

    MoreViewController& more = openOptions();
    EXPECT_EQ(more.delegate(), static_cast<SomethingHappenedInMoreViewController*>(&root));
    EXPECT_EQ(more.countOfRows(), 380);
    EXPECT_TRUE(more.panMode());
    EXPECT_TRUE(more.highSpeed());
    EXPECT_EQ(more.imageName(0), "square.grid.2x2.fill");
    EXPECT_EQ(more.imageName(1), "hand.draw.fill");
    EXPECT_EQ(more.imageName(2), "hare.fill");
    EXPECT_EQ(more.collectionView()->numberOfItems(), 18);
    // The cells show the handed-over icons from the first layout on, each with a one-point border.
    OptionCell* first = cellOf(more, 0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->iconImageView()->image(), more.images()[0]);
    EXPECT_EQ(first->containerView()->layerBorder().width, 1.0);
}

TEST_F(OptionsScreen, ItemsAreSquaresOfAThirdOfTheWidthThreeToARow)
{
    MoreViewController& more = openOptions();
    platform::GridView* grid = more.collectionView();
    const qreal side = grid->boundsWidth() / 3 - 0.3;
    EXPECT_EQ(more.sizeForItem(*grid, 4), QSizeF(side, side));
    EXPECT_EQ(grid->frameOfItem(0).top(), grid->frameOfItem(2).top());
    EXPECT_GT(grid->frameOfItem(3).top(), grid->frameOfItem(2).top());
    EXPECT_EQ(grid->frameOfItem(3).left(), 0);
}

// The icons once kept fixed margins: in a 250-point-wide window they were 5 pixels.
TEST_F(OptionsScreen, IconsGrowAndShrinkWithTheirTiles)
{
    MoreViewController& more = openOptions();
    for (const QSize window : {QSize(250, 400), QSize(390, 844), QSize(768, 1024)}) {
        window_->resize(window);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        OptionCell* cell = cellOf(more, 4);
        ASSERT_NE(cell, nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        const double tile = more.sizeForItem(*more.collectionView(), 4).width();
        const QSize icon = cell->iconImageView()->size();
        // The interface file's share: 62 of 130 points.
        EXPECT_NEAR(icon.width(), tile * 62 / 130, 2) << window.width();
        EXPECT_EQ(icon.width(), icon.height()) << window.width();
    }
}

TEST_F(OptionsScreen, BoardSizeCyclesThroughTheThreeSizesAndTheBoardFollows)
{
    board().changeBoardSize();  // 380
    MoreViewController& more = openOptions();
    const std::vector<std::pair<std::int64_t, QString>> steps{
        {760, "square.grid.3x3.fill"}, {190, "square.fill"}, {380, "square.grid.2x2.fill"}};
    for (const auto& [rows, icon] : steps) {
        clearCues();
        tapRow(MoreViewController::boardSizeRow);
        EXPECT_EQ(more.countOfRows(), rows);
        EXPECT_EQ(board().geometry().countOfRows(), rows);
        EXPECT_EQ(more.imageName(0), icon);
        EXPECT_EQ(cellOf(more, 0)->iconImageView()->image(), more.images()[0]) << "the cell is reloaded";
        EXPECT_EQ(cellOf(more, 0)->accessibleDescription(), QStringLiteral("%1 \u00d7 %1").arg(rows));
        EXPECT_EQ(cues(), clickFeedback());
    }
}

TEST_F(OptionsScreen, DrawingModeTogglesOnTheBoardAndInTheIcon)
{
    MoreViewController& more = openOptions();
    EXPECT_EQ(more.imageName(1), "hand.tap.fill");
    tapRow(MoreViewController::panModeRow);
    EXPECT_TRUE(board().panMode());
    EXPECT_EQ(more.imageName(1), "hand.draw.fill");
    EXPECT_EQ(cellOf(more, 1)->accessibleDescription(), "Drawing");
    tapRow(MoreViewController::panModeRow);
    EXPECT_FALSE(board().panMode());
    EXPECT_EQ(more.imageName(1), "hand.tap.fill");
}

TEST_F(OptionsScreen, SpeedWhilePausedFlipsTheBoardsSpeedWithoutStartingIt)
{
    MoreViewController& more = openOptions();
    tapRow(MoreViewController::speedRow);
    EXPECT_TRUE(board().highSpeed());
    EXPECT_FALSE(board().startGame());
    EXPECT_EQ(board().timer(), nullptr);
    EXPECT_EQ(more.imageName(2), "hare.fill");
    EXPECT_EQ(cellOf(more, 2)->accessibleDescription(), "Fast");
}

TEST_F(OptionsScreen, SpeedWhileRunningGoesOnAtTheNewInterval)
{
    MainViewController& root = board();
    root.toggleLife(Life{5, 5});
    root.startOrPauseGame(nullptr);
    ASSERT_NE(root.timer(), nullptr);
    EXPECT_EQ(root.timer()->interval(), MainViewController::normalIntervalMs);

    MoreViewController& more = openOptions();
    tapRow(MoreViewController::speedRow);
    EXPECT_TRUE(root.startGame());
    ASSERT_NE(root.timer(), nullptr);
    EXPECT_EQ(root.timer()->interval(), MainViewController::highSpeedIntervalMs);
    tapRow(MoreViewController::speedRow);
    EXPECT_EQ(root.timer()->interval(), MainViewController::normalIntervalMs);
    EXPECT_EQ(more.imageName(2), "tortoise.fill");
}

// --- Restart, clear, close -------------------------------------------------------

TEST_F(OptionsScreen, ClearEmptiesTheBoardForgetsTheStartAndCloses)
{
    MainViewController& root = board();
    root.loadPattern(blinker());
    openOptions();
    clearCues();
    tapRow(MoreViewController::clearRow);
    EXPECT_TRUE(root.lifes().empty());
    EXPECT_FALSE(root.initLifes().has_value());
    EXPECT_EQ(options(), nullptr);
    // The tap's click, then the screen's own as it goes.
    std::vector<platform::FeedbackEvent> expected = clickFeedback();
    const std::vector<platform::FeedbackEvent> goingAway = clickFeedback();
    expected.insert(expected.end(), goingAway.begin(), goingAway.end());
    EXPECT_EQ(cues(), expected);
}

TEST_F(OptionsScreen, RestartWithoutARecordedStartKeepsThePatternAndCloses)
{
    MainViewController& root = board();
    root.toggleLife(Life{3, 4});
    openOptions();
    tapRow(MoreViewController::restartRow);
    EXPECT_EQ(root.lifes(), (LifeSet{Life{3, 4}}));
    EXPECT_EQ(options(), nullptr);
}

TEST_F(OptionsScreen, RestartAfterALoadReturnsToTheLoadedPattern)
{
    MainViewController& root = board();
    root.loadPattern(blinker());
    root.toggleLife(Life{1, 1});
    openOptions();
    tapRow(MoreViewController::restartRow);
    EXPECT_EQ(root.lifes(), blinker());
}

TEST_F(OptionsScreen, CloseButtonAndEscapeCloseTheScreenWithTheClickFeedback)
{
    MoreViewController& more = openOptions();
    EXPECT_EQ(more.closeButton()->accessibleName(), "Close");
    EXPECT_EQ(more.closeButton()->toolTip(), "Close");
    clearCues();
    static_cast<QAbstractButton*>(more.closeButton())->click();
    EXPECT_EQ(options(), nullptr);
    EXPECT_EQ(cues(), clickFeedback());

    MoreViewController& again = openOptions();
    QTest::keyClick(again.collectionView(), Qt::Key_Escape);
    EXPECT_EQ(options(), nullptr);
}

// --- Saving to the archive -------------------------------------------------------

TEST_F(OptionsScreen, SaveStoresThePatternAndShowsTheCheckmarkForOneSecond)
{
    MainViewController& root = board();
    root.loadPattern(blinker());
    MoreViewController& more = openOptions();
    tapRow(MoreViewController::saveRow);

    auto records = archive().viewContext().fetchNewestFirst();
    ASSERT_TRUE(records.ok());
    ASSERT_EQ(records.value().size(), 1u);
    EXPECT_EQ(records.value()[0]->lifeData(), cellarium::encodePattern(root.lifes()));
    EXPECT_TRUE(records.value()[0]->addedDate().has_value());

    EXPECT_EQ(presentedOver<BigAlertController>(&more), nullptr) << "the confirmation waits for the main queue";
    runQueuedWork();
    auto* alert = presentedOver<BigAlertController>(&more);
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->systemImageName(), "checkmark.square");
    EXPECT_EQ(alert->accessibleName(), "Saved");
    ASSERT_EQ(alertDelays_.size(), 1u) << "the dismissal is scheduled once the alert has appeared";
    EXPECT_EQ(presentedOver<BigAlertController>(&more), alert) << "until it runs the alert stays";
    runAlertDelays();
    EXPECT_EQ(presentedOver<BigAlertController>(&more), nullptr);
    EXPECT_EQ(options(), &more) << "the options screen stays open";
}

TEST_F(OptionsScreen, SavingAnEmptyBoardStoresTheEmptyEncoding)
{
    openOptions();
    tapRow(MoreViewController::saveRow);
    auto records = archive().viewContext().fetchNewestFirst();
    ASSERT_TRUE(records.ok());
    ASSERT_EQ(records.value().size(), 1u);
    EXPECT_EQ(records.value()[0]->lifeData(), std::string("[]"));
}

// Regression: the checkmark was shown although the record was not saved.
TEST_F(OptionsScreen, SaveToAnUnavailableArchiveShowsTheFailureSymbolNotTheCheckmark)
{
    board().loadPattern(blinker());
    MoreViewController& more = openOptions();
    makeArchiveUnavailable();
    testing::internal::CaptureStdout();
    tapRow(MoreViewController::saveRow);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed.rfind("Cannot save change ,error: ", 0), 0u) << printed;
    EXPECT_FALSE(archive().viewContext().hasChanges()) << "a record reported as not saved is not saved later";

    runQueuedWork();
    auto* alert = presentedOver<BigAlertController>(&more);
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->systemImageName(), MoreViewController::notSavedSymbol);
    EXPECT_EQ(alert->accessibleName(), "Not saved");
    EXPECT_FALSE(alert->symbolView()->image().isNull());
}

TEST_F(OptionsScreen, AConfirmationQueuedForAClosedScreenDoesNothing)
{
    openOptions();
    tapRow(MoreViewController::saveRow);
    options()->back(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    runQueuedWork();
    EXPECT_EQ(board().presentedViewController(), nullptr);
}

// --- The app icon ------------------------------------------------------------------

TEST_F(OptionsScreen, AppIconTogglesAsksForTheRightIconAndStoresTheChoice)
{
    MoreViewController& more = openOptions();
    EXPECT_EQ(more.imageName(11), "standardIconImage");

    testing::internal::CaptureStdout();
    tapRow(MoreViewController::appIconRow);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "App icon changed successfully\n");
    EXPECT_EQ(more.imageName(11), "liveIconImage");
    EXPECT_EQ(cellOf(more, 11)->iconImageView()->image(), more.images()[11]);
    ASSERT_EQ(icons_->requests.size(), 1u);
    EXPECT_EQ(icons_->requests[0], QString("OtherAppIcon"));
    QVariant stored = platform::userDefaults().value("DidUseLiveIcon");
    EXPECT_EQ(stored.typeId(), QMetaType::Bool);
    EXPECT_TRUE(stored.toBool());

    tapRow(MoreViewController::appIconRow);
    ASSERT_EQ(icons_->requests.size(), 2u);
    EXPECT_EQ(icons_->requests[1], std::nullopt);
    EXPECT_EQ(more.imageName(11), "standardIconImage");
    EXPECT_FALSE(platform::userDefaults().value("DidUseLiveIcon").toBool());
}

TEST_F(OptionsScreen, AppIconFailureIsPrintedAndTheChoiceIsStoredAllTheSame)
{
    icons_->error = QStringLiteral("the entry is read-only");
    MoreViewController& more = openOptions();
    testing::internal::CaptureStdout();
    tapRow(MoreViewController::appIconRow);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "App icon failed to change due to the entry is read-only\n");
    EXPECT_TRUE(more.didUseLiveIcon());
    EXPECT_TRUE(platform::userDefaults().value("DidUseLiveIcon").toBool());
}

TEST_F(OptionsScreen, WithoutAlternateIconsTheChoiceFlipsButNothingIsAsked)
{
    icons_->supported = false;
    MoreViewController& more = openOptions();
    testing::internal::CaptureStdout();
    tapRow(MoreViewController::appIconRow);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(icons_->requests.empty());
    EXPECT_EQ(more.imageName(11), "liveIconImage");
    EXPECT_TRUE(platform::userDefaults().value("DidUseLiveIcon").toBool());
}

TEST_F(OptionsScreen, ReopeningShowsTheStoredIconChoiceWithoutCallingThePlatform)
{
    platform::userDefaults().setValue("DidUseLiveIcon", true);
    MoreViewController& more = openOptions();
    EXPECT_TRUE(more.didUseLiveIcon());
    EXPECT_EQ(more.imageName(11), "liveIconImage");
    EXPECT_EQ(cellOf(more, 11)->accessibleDescription(), "Alternate icon");
    EXPECT_TRUE(icons_->requests.empty());
}

TEST_F(OptionsScreen, AStoredIconChoiceThatIsNotABooleanIsIgnoredThenOverwritten)
{
    platform::userDefaults().setValue("DidUseLiveIcon", QStringLiteral("true"));
    MoreViewController& more = openOptions();
    EXPECT_FALSE(more.didUseLiveIcon());
    EXPECT_EQ(more.imageName(11), "standardIconImage");
    tapRow(MoreViewController::appIconRow);
    const QVariant stored = platform::userDefaults().value("DidUseLiveIcon");
    EXPECT_EQ(stored.typeId(), QMetaType::Bool);
    EXPECT_TRUE(stored.toBool());
}

// --- Guide and about items ---------------------------------------------------------

TEST_F(OptionsScreen, GuideRowShowsTheGuideOverTheWindow)
{
    MoreViewController& more = openOptions();
    tapRow(MoreViewController::guideRow);
    auto* guide = window_->findChild<fennelkit::FNGuideView*>();
    ASSERT_NE(guide, nullptr);
    EXPECT_EQ(guide->descriptions(), FNApp::cellarium.guideText());
    EXPECT_EQ(options(), &more);
}

TEST_F(OptionsScreen, AboutRowsOpenTheirAddresses)
{
    MoreViewController& more = openOptions();
    const std::optional<QString> icp = FNApp::cellarium.icp();
    EXPECT_EQ(more.imageName(15), "network");
    EXPECT_EQ(more.imageName(16), "person.fill");
    EXPECT_EQ(cellOf(more, 16)->accessibleName(), "About the maker");
    for (int row : {12, 14, 15, 16, 17})
        tapRow(row);
    const std::vector<QUrl> expected{QUrl(FNMore::privacyUrl()), QUrl(FNApp::cellarium.reviewLink()),
                                     QUrl(FNMore::blogOrSocialUrl(icp)), QUrl(FNMore::icpOrBlogUrl(icp)),
                                     QUrl(FNMore::moreAppUrl())};
    EXPECT_EQ(openedUrls(), expected);
    EXPECT_EQ(presentedOver<platform::AlertCard>(&more), nullptr) << "no alert outside China";
    EXPECT_EQ(options(), &more);
}

// An about item with no program to open it once did nothing at all.
TEST_F(OptionsScreen, AboutRowsWithNoProgramToOpenThemRefuseAndSaySoAsAnAlert)
{
    auto refusingOpener = std::make_unique<testsupport::RecordingUrlOpener>(false);
    urls_ = refusingOpener.get();
    services_->set().with(std::move(refusingOpener));
    MoreViewController& more = openOptions();
    const QString noBrowser = "No application opens web links";
    const QString noMail = "No application sends mail";
    const std::vector<std::pair<int, QString>> rows{
        {MoreViewController::privacyRow, noBrowser}, {MoreViewController::reviewRow, noBrowser},
        {MoreViewController::websiteRow, noBrowser}, {MoreViewController::filingRow, noBrowser},
        {MoreViewController::moreAppsRow, noBrowser}, {MoreViewController::feedbackRow, noMail}};
    const platform::FeedbackEvent refusal = platform::FeedbackEvent::sound(1103);
    for (const auto& [row, line] : rows) {
        more.noticeLine()->clear();
        clearCues();
        tapRow(row);
        EXPECT_TRUE(more.noticeLine()->isVisible()) << row;
        EXPECT_EQ(more.noticeLine()->text(), line) << row;
        const std::vector<platform::FeedbackEvent> heard = cues();
        EXPECT_NE(std::find(heard.begin(), heard.end(), refusal), heard.end()) << row;
        EXPECT_EQ(options(), &more) << row;
    }
    QAccessibleInterface* said = QAccessible::queryAccessibleInterface(more.noticeLine());
    ASSERT_NE(said, nullptr);
    EXPECT_EQ(said->role(), QAccessible::AlertMessage);

    // A mail program that takes nothing: the line once the composer has closed.
    platform::MailComposer::setCanSendMailOverride(true);
    more.noticeLine()->clear();
    tapRow(MoreViewController::feedbackRow);
    auto* composer = presentedOver<platform::MailComposer>(&more);
    ASSERT_NE(composer, nullptr);
    EXPECT_FALSE(more.noticeLine()->isVisible());
    auto* send = composer->findChild<QPushButton*>("sendButton");
    ASSERT_NE(send, nullptr);
    send->click();
    EXPECT_EQ(more.presentedViewController(), nullptr);
    EXPECT_EQ(more.noticeLine()->text(), noMail);
    EXPECT_TRUE(more.noticeLine()->isVisible());

    // The next item that works takes the line away.
    tapRow(MoreViewController::boardSizeRow);
    EXPECT_FALSE(more.noticeLine()->isVisible());
}

TEST_F(OptionsScreen, FeedbackRowComposesAMailToTheMakerWithAnEmptyMessage)
{
    platform::MailComposer::setCanSendMailOverride(true);
    MoreViewController& more = openOptions();
    tapRow(MoreViewController::feedbackRow);
    auto* composer = presentedOver<platform::MailComposer>(&more);
    ASSERT_NE(composer, nullptr);
    EXPECT_EQ(composer->toRecipients(), QStringList{FNMore::feedbackRecipient()});
    EXPECT_TRUE(composer->messageBody().isEmpty());
    EXPECT_FALSE(composer->navigationBarTintColor().isValid());
}

TEST_F(OptionsScreen, InChinaTheFilingRowAsksFirstThenOpensTheRecordInTheApp)
{
    platform::services().storefront().setOverride(QStringLiteral("CHN"));
    fennelkit::resetLazyValuesForTesting();
    MoreViewController& more = openOptions();
    const std::optional<QString> icp = FNApp::cellarium.icp();
    EXPECT_EQ(more.imageName(15), "person.fill");
    EXPECT_EQ(more.imageName(16), "shield.checkered");
    EXPECT_EQ(cellOf(more, 16)->accessibleName(), "Filing record");

    tapRow(MoreViewController::filingRow);
    auto* alert = presentedOver<platform::AlertCard>(&more);
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->actionTitles(), QStringList{FNMore::icpOrBlogText(icp)});
    EXPECT_TRUE(openedUrls().empty());
    auto* action = alert->findChild<QPushButton*>("action0");
    ASSERT_NE(action, nullptr);
    action->click();
    auto* browser = presentedOver<platform::InAppBrowser>(&more);
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->url(), QUrl(FNMore::icpOrBlogUrl(icp)));
}

// The filing-record popup once had no way out but its one action: Escape, a tap
// beside it and a tap on the dimmed Close did nothing.
TEST_F(OptionsScreen, InChinaTheFilingPopupClosesOnEscapeATapBesideItAndTheDimmedClose)
{
    platform::services().storefront().setOverride(QStringLiteral("CHN"));
    fennelkit::resetLazyValuesForTesting();
    MoreViewController& more = openOptions();
    const auto tapWindowAt = [this](QPoint at) {
        // Where a real tap lands: the topmost widget at that point of the window.
        QWidget* target = window_->childAt(at);
        ASSERT_NE(target, nullptr);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(window_.get(), at));
    };
    const QPoint closeCentre = more.closeButton()->mapTo(window_.get(), more.closeButton()->rect().center());
    const std::vector<std::pair<const char*, std::function<void()>>> ways{
        {"Escape", [this] { QTest::keyClick(window_->focusWidget(), Qt::Key_Escape); }},
        {"a tap beside it", [&] { tapWindowAt(QPoint(20, window_->height() - 20)); }},
        {"the dimmed Close", [&] { tapWindowAt(closeCentre); }},
    };
    for (const auto& [way, close] : ways) {
        tapRow(MoreViewController::filingRow);
        auto* alert = presentedOver<platform::AlertCard>(&more);
        ASSERT_NE(alert, nullptr) << way;
        // A tap on the card itself, off its action, keeps it.
        QTest::mouseClick(alert, Qt::LeftButton, {}, QPoint(4, 4));
        ASSERT_EQ(presentedOver<platform::AlertCard>(&more), alert) << way;
        close();
        EXPECT_EQ(more.presentedViewController(), nullptr) << way;
        EXPECT_EQ(options(), &more) << way << " closed the options screen too";
        EXPECT_TRUE(more.isAncestorOf(window_->focusWidget())) << way << ": the keys did not come back to the options screen";
    }
    EXPECT_TRUE(openedUrls().empty());
    QTest::keyClick(window_->focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(options(), nullptr) << "the next Escape closes the options screen";
}

// --- Names and keyboard ------------------------------------------------------------

TEST_F(OptionsScreen, EveryItemHasItsAccessibleNameAsTooltipAndValuesInTheDescription)
{
    MoreViewController& more = openOptions();
    const QStringList names{"Board size", "Drawing mode", "Speed", "Restart", "Clear", "Board picture",
                            "QR code", "Scan QR code", "Save to archive", "Archive", "Guide", "App icon",
                            "Privacy policy", "Feedback", "Review", "Website", "About the maker", "More apps"};
    for (int row = 0; row < MoreViewController::itemCount; ++row) {
        OptionCell* cell = cellOf(more, row);
        ASSERT_NE(cell, nullptr) << row;
        EXPECT_EQ(cell->accessibleName(), names[row]) << row;
        EXPECT_EQ(cell->toolTip(), names[row]) << row;
    }
    EXPECT_EQ(cellOf(more, 0)->accessibleDescription(), QStringLiteral("190 \u00d7 190"));
    EXPECT_EQ(cellOf(more, 1)->accessibleDescription(), "Tapping");
    EXPECT_EQ(cellOf(more, 2)->accessibleDescription(), "Slow");
    EXPECT_EQ(cellOf(more, 11)->accessibleDescription(), "Standard icon");
}

TEST_F(OptionsScreen, ArrowsMoveAndEnterOrSpaceActivateTheCurrentItem)
{
    MoreViewController& more = openOptions();
    platform::GridView* grid = more.collectionView();
    QTest::keyClick(grid, Qt::Key_Right);  // from the first item
    EXPECT_EQ(grid->currentItem(), 1);
    QTest::keyClick(grid, Qt::Key_Space);
    EXPECT_TRUE(board().panMode());
    QTest::keyClick(grid, Qt::Key_Left);
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->currentItem(), 6);
    QTest::keyClick(grid, Qt::Key_Up);
    QTest::keyClick(grid, Qt::Key_Right);
    EXPECT_EQ(grid->currentItem(), 4);
    board().loadPattern(blinker());
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_TRUE(board().lifes().empty()) << "Return on the clear item";
    EXPECT_EQ(options(), nullptr);
}

// --- Without a board, and the pattern hand-back ------------------------------------

TEST_F(OptionsScreen, PatternHandBackLoadsIntoThePausedBoardAndCloses)
{
    MainViewController& root = board();
    root.toggleLife(Life{2, 2});
    root.startOrPauseGame(nullptr);
    MoreViewController& more = openOptions();
    // Stand-in for the archive browser: it closes itself, then hands the pattern back.
    auto* browser = new platform::ViewController;
    more.present(browser, false);
    auto handBack = more.patternHandBack();
    browser->dismiss(false, [handBack] { handBack(blinker()); });

    EXPECT_EQ(root.lifes(), blinker());
    EXPECT_EQ(root.initLifes(), blinker());
    EXPECT_FALSE(root.startGame());
    EXPECT_EQ(options(), nullptr);
}

// Regression: a handed-back pattern past the board was cut off, its board size not
// followed; one no board size holds closed the screen as if it had loaded.
TEST_F(OptionsScreen, PatternHandBackGrowsTheBoardAndTheScreensSizeOrRefusesAndStays)
{
    MainViewController& root = board();
    root.loadPattern(blinker());
    MoreViewController& more = openOptions();
    clearCues();
    more.patternHandBack()(LifeSet{{1, 1}, {500, 2}});
    EXPECT_EQ(root.lifes(), (LifeSet{{1, 1}, {500, 2}}));
    EXPECT_EQ(board().geometry().countOfRows(), 760);
    EXPECT_EQ(more.countOfRows(), 760);
    EXPECT_EQ(more.imageName(MoreViewController::boardSizeRow), QStringLiteral("square.grid.3x3.fill"));
    EXPECT_EQ(options(), nullptr);

    MoreViewController& again = openOptions();
    clearCues();
    again.patternHandBack()(cellarium::PlacedPattern(LifeSet{{0, 0}, {760, 0}}, 1000));
    EXPECT_EQ(root.lifes(), (LifeSet{{1, 1}, {500, 2}}));
    EXPECT_EQ(board().geometry().countOfRows(), 760);
    EXPECT_EQ(options(), &again);
    EXPECT_EQ(cues(), std::vector{platform::FeedbackEvent::sound(1103)});
}

TEST_F(OptionsScreen, WithoutABoardSettingsStillChangeAndSaveDoesNothing)
{
    MainViewController& root = board();
    auto* more = new MoreViewController(archive_);  // no delegate
    root.present(more, false);
    tapRow(MoreViewController::boardSizeRow);
    tapRow(MoreViewController::panModeRow);
    tapRow(MoreViewController::speedRow);
    EXPECT_EQ(more->countOfRows(), 380);
    EXPECT_TRUE(more->panMode());
    EXPECT_TRUE(more->highSpeed());
    EXPECT_EQ(board().geometry().countOfRows(), 190);
    EXPECT_FALSE(root.panMode());

    clearCues();
    tapRow(MoreViewController::saveRow);
    runQueuedWork();
    EXPECT_EQ(cues(), clickFeedback());
    EXPECT_EQ(presentedOver<BigAlertController>(more), nullptr);
    EXPECT_FALSE(archive().viewContext().hasChanges());

    more->patternHandBack()(blinker());
    EXPECT_EQ(options(), nullptr);
    EXPECT_TRUE(root.lifes().empty());
}

TEST_F(OptionsScreen, ScreenRowsWithoutTheirScreensPlayOnlyTheClick)
{
    for (const char* segue : {"QRCode", "ScanQRCode", "LookUpArchive"})
        platform::ViewController::unregisterSegue(QString::fromLatin1(segue));
    MoreViewController& more = openOptions();
    for (int row : {5, 6, 7, 9}) {
        clearCues();
        tapRow(row);
        EXPECT_EQ(cues(), clickFeedback()) << row;
        EXPECT_EQ(more.presentedViewController(), nullptr) << row;
    }
}
