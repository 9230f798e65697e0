#include "FixedScreen.h"
#include "platform/ImageView.h"
#include "qr/QRCodeMessage.h"
#include "qr/QRCodeViewController.h"
#include "QRPeers.h"

#include "model/PatternCoding.h"
#include "model/PatternText.h"
#include "platform/AppWindow.h"
#include "platform/MainScreen.h"
#include "platform/NoticeLine.h"
#include "platform/ShareSheet.h"
#include "RandomSoup.h"
#include "RecordedFeedback.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QTest>
#include <QToolButton>

#include <random>

#include <gtest/gtest.h>

using platform::FeedbackEvent;

namespace {

std::vector<FeedbackEvent> click()
{
    return {FeedbackEvent::sound(1105), FeedbackEvent::impact(platform::ImpactStyle::Rigid)};
}

// The QR screen presented over a root screen in a window of the main screen's size.
class QRScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        feedback_ = &testsupport::recordFeedback(services_.set());
        platform::ViewController::setAnimationsEnabled(false);
        useScreen({390, 844});
    }
    void TearDown() override
    {
        window_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void useScreen(QSizeF size)
    {
        services_.set().with(std::make_unique<testsupport::FixedScreen>(size, 3));
        window_ = std::make_unique<platform::AppWindow>();
        window_->resize(size.toSize());
        window_->setRootViewController(new platform::ViewController);
        window_->show();
    }
    QRCodeViewController& open(std::optional<std::string> data, const QImage& picture = {})
    {
        auto* screen = new QRCodeViewController;
        screen->setData(std::move(data));
        screen->setSavedImage(picture);
        window_->rootViewController()->present(screen, false);
        return *screen;
    }
    QRCodeViewController* shown() const
    {
        return qobject_cast<QRCodeViewController*>(window_->rootViewController()->presentedViewController());
    }
    static void runQueuedWork()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    platform::ServicesInPlace services_;  // outlives the window
    testsupport::FeedbackRecorder* feedback_ = nullptr;
    std::unique_ptr<platform::AppWindow> window_;
};

platform::ShareSheet* sheetOver(QRCodeViewController& screen)
{
    return qobject_cast<platform::ShareSheet*>(screen.presentedViewController());
}

}  // namespace

TEST_F(QRScreen, ShowsThePatternsCodeOnTheNextTurnOfTheMainLoop)
{
    const std::string bytes = cellarium::encodePattern(cellarium::LifeSet{cellarium::Life{1, 2}, cellarium::Life{2, 2}});
    QRCodeViewController& screen = open(bytes);
    EXPECT_TRUE(screen.imageView()->image().isNull());
    runQueuedWork();
    const QImage code = screen.imageView()->image();
    ASSERT_FALSE(code.isNull());
    EXPECT_EQ(code.width() % QRCodeViewController::moduleSize, 0);
    SKIP_WITHOUT_ZBARIMG();
    EXPECT_EQ(qrpeers::zbarDecode(code), QByteArray::fromStdString(bytes));
}

TEST_F(QRScreen, EmptySetStillGivesAValidCode)
{
    QRCodeViewController& screen = open(std::string("[]"));
    runQueuedWork();
    ASSERT_FALSE(screen.imageView()->image().isNull());
    SKIP_WITHOUT_ZBARIMG();
    EXPECT_EQ(qrpeers::zbarDecode(screen.imageView()->image()), QByteArray("[]"));
}

TEST_F(QRScreen, SnapshotModeShowsThePictureUnchanged)
{
    QImage picture(120, 120, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    picture.setPixelColor(5, 7, Qt::black);
    QRCodeViewController& screen = open(std::nullopt, picture);
    EXPECT_EQ(screen.imageView()->image(), picture);
    runQueuedWork();
    EXPECT_EQ(screen.imageView()->image(), picture);
}

TEST_F(QRScreen, TooLongAMessageLeavesTheViewEmptyAndSharingTurnsTheButtonToTheHourglass)
{
    QRCodeViewController& screen = open(std::string(2332, '1'));
    runQueuedWork();
    EXPECT_TRUE(screen.imageView()->image().isNull());
    EXPECT_EQ(screen.shareButtonSymbol(), QRCodeViewController::shareSymbol);
    feedback_->clear();
    screen.shareImage(screen.shareButton());  // the button is disabled: its action still has nothing to share
    EXPECT_EQ(feedback_->events(), click());
    EXPECT_EQ(screen.shareButtonSymbol(), QString::fromLatin1(QRCodeViewController::nothingToShareSymbol));
    EXPECT_EQ(screen.presentedViewController(), nullptr);
    EXPECT_FALSE(screen.shareButton()->isEnabled());
}

TEST_F(QRScreen, RegressionAPatternTooLargeForAnyCodeSaysSoWithTheRefusalCueAndOffersNoShare)
{
    // Once an empty code that could still be shared, without a word.
    std::mt19937_64 random(15);
    const cellarium::LifeSet soup(cellarium::randomSoup(random, 0, 190, 0.3));
    ASSERT_FALSE(qrCodeMessage(cellarium::encodePattern(soup)));
    for (const std::string& data : {cellarium::encodePattern(soup), std::string(2332, '1')}) {
        feedback_->clear();
        QRCodeViewController& screen = open(data);
        EXPECT_FALSE(screen.shareButton()->isEnabled());
        runQueuedWork();
        EXPECT_TRUE(screen.imageView()->image().isNull());
        EXPECT_EQ(feedback_->events(), std::vector{FeedbackEvent::sound(1103)});
        EXPECT_TRUE(screen.noticeLine()->isVisible());
        EXPECT_EQ(screen.noticeLine()->text(), QStringLiteral("Too large for a QR code"));
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(screen.noticeLine());
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->role(), QAccessible::AlertMessage);
        QTest::mouseClick(screen.shareButton(), Qt::LeftButton);
        EXPECT_EQ(screen.presentedViewController(), nullptr);
        screen.back(nullptr);
    }
    // A pattern that fits says nothing and can be shared.
    QRCodeViewController& fits = open(std::string("[]"));
    runQueuedWork();
    EXPECT_FALSE(fits.noticeLine()->isVisible());
    EXPECT_TRUE(fits.shareButton()->isEnabled());
}

TEST_F(QRScreen, APatternWhoseEncodingIsTooLargeShowsItsRleInsteadOfTheHourglass)
{
    cellarium::LifeSet lifes;
    for (std::int64_t y = 0; y < 40; ++y)
        for (std::int64_t x = 0; x < 40; x += 2)
            lifes.insert(cellarium::Life{60 + x + y % 2, 60 + y});
    const std::string json = cellarium::encodePattern(lifes);
    ASSERT_GT(json.size(), 2331u);
    QRCodeViewController& screen = open(json);
    runQueuedWork();
    ASSERT_FALSE(screen.imageView()->image().isNull());
    SKIP_WITHOUT_ZBARIMG();
    EXPECT_EQ(qrpeers::zbarDecode(screen.imageView()->image()),
              QByteArray::fromStdString(cellarium::writePatternText(lifes, cellarium::PatternFormat::rle)));
}

TEST_F(QRScreen, SharingSendsOneJpegAtFullQualityThatDecodesToThePattern)
{
    const std::string bytes = cellarium::encodePattern(cellarium::LifeSet{cellarium::Life{3, 4}});
    QRCodeViewController& screen = open(bytes);
    runQueuedWork();
    feedback_->clear();
    screen.shareButton()->click();
    EXPECT_EQ(feedback_->events(), click());
    platform::ShareSheet* sheet = sheetOver(screen);
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->item().startsWith("\xff\xd8"));  // a JPEG stream
    EXPECT_EQ(sheet->item(), QRCodeViewController::jpegData(screen.imageView()->image(), screen.palette().color(QPalette::Window)));
    // On a phone the sheet slides up without an anchor.
    EXPECT_EQ(sheet->modalPresentationStyle(), platform::PresentationStyle::PageSheet);
    const QImage decoded = QImage::fromData(sheet->item(), "JPEG");
    EXPECT_EQ(decoded.size(), screen.imageView()->image().size());
    SKIP_WITHOUT_ZBARIMG();
    EXPECT_EQ(qrpeers::zbarDecode(decoded), QByteArray::fromStdString(bytes));
}

TEST_F(QRScreen, ABoardPictureIsSharedOnTheBackgroundNotOnBlack)
{
    // A transparent picture with one black cell: JPEG has no alpha.
    QImage picture(60, 60, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            picture.setPixelColor(x, y, Qt::black);
    const QByteArray jpeg = QRCodeViewController::jpegData(picture, Qt::white);
    const QImage decoded = QImage::fromData(jpeg, "JPEG");
    EXPECT_GT(qGray(decoded.pixel(40, 40)), 245);
    EXPECT_LT(qGray(decoded.pixel(4, 4)), 10);
}

TEST_F(QRScreen, OnATabletTheShareSheetPointsAtTheShareButton)
{
    useScreen({768, 1024});
    QRCodeViewController& screen = open(std::string("[]"));
    runQueuedWork();
    screen.shareButton()->click();
    platform::ShareSheet* sheet = sheetOver(screen);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->modalPresentationStyle(), platform::PresentationStyle::Popover);
    const QRect button(screen.shareButton()->mapTo(window_.get(), QPoint()), screen.shareButton()->size());
    EXPECT_EQ(sheet->popoverSourceRect(), button);
    // The card sits beside the button, inside the window.
    const QRect card(sheet->mapTo(window_.get(), QPoint()), sheet->size());
    EXPECT_TRUE(window_->rect().contains(card));
    EXPECT_FALSE(card.intersects(button));
    EXPECT_LE(qAbs(card.center().x() - button.center().x()), 1);
}

TEST_F(QRScreen, CloseButtonAndEscapeCloseWithTheClickFeedback)
{
    QRCodeViewController& screen = open(std::string("[]"));
    EXPECT_EQ(screen.closeButton()->accessibleName(), "Close");
    EXPECT_EQ(screen.closeButton()->toolTip(), "Close");
    EXPECT_EQ(screen.shareButton()->accessibleName(), "Share");
    EXPECT_EQ(screen.shareButton()->toolTip(), "Share");
    feedback_->clear();
    screen.closeButton()->click();
    EXPECT_EQ(shown(), nullptr);
    EXPECT_EQ(feedback_->events(), click());

    QRCodeViewController& again = open(std::string("[]"));
    feedback_->clear();
    QTest::keyClick(&again, Qt::Key_Escape);
    EXPECT_EQ(shown(), nullptr);
    EXPECT_EQ(feedback_->events(), click());
}

TEST_F(QRScreen, ClosingBeforeTheCodeArrivesIsHarmless)
{
    QRCodeViewController& screen = open(std::string("[]"));
    screen.closeButton()->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    runQueuedWork();
    EXPECT_EQ(shown(), nullptr);
}
