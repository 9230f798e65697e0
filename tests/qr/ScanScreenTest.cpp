#include "qr/CameraPreview.h"
#include "qr/PickedImage.h"
#include "qr/QRCodeImage.h"
#include "qr/QRCodeMessage.h"
#include "qr/QRCodeReader.h"
#include "qr/ScanOverlay.h"
#include "qr/ScanQRCodeViewController.h"
#include "QRPeers.h"
#include "ScannerFixture.h"

#include "BackgroundWork.h"
#include "FakeCamera.h"
#include "model/BoardGeometry.h"
#include "model/PatternCoding.h"
#include "model/PatternText.h"
#include "RandomSoup.h"
#include "RecordedFeedback.h"

#include <QCoreApplication>
#include <QPainter>
#include <QTest>
#include <QToolButton>
#include <QTransform>

#include <algorithm>
#include <random>

#include <gtest/gtest.h>

using cellarium::Life;
using cellarium::LifeSet;
using platform::FeedbackEvent;
using testsupport::FakeCaptureSession;

namespace {

LifeSet glider()
{
    return LifeSet{Life{1, 0}, Life{2, 1}, Life{0, 2}, Life{1, 2}, Life{2, 2}};
}

// A camera frame of the 390 × 844 screen at two pixels a point, white, with `code` drawn into `where` (points).
QImage frameWith(const QImage& code, const QRectF& where)
{
    QImage frame(780, 1688, QImage::Format_RGB32);
    frame.fill(Qt::white);
    QPainter painter(&frame);
    painter.drawImage(QRectF(where.topLeft() * 2, where.size() * 2), code);
    return frame;
}

QImage codeOf(const std::string& message)
{
    return qrCodeImage(message, 4);
}

std::vector<FeedbackEvent> click()
{
    return {FeedbackEvent::sound(1105), FeedbackEvent::impact(platform::ImpactStyle::Rigid)};
}

std::vector<FeedbackEvent> foundFeedback()
{
    return {FeedbackEvent::impact(platform::ImpactStyle::Heavy), FeedbackEvent::sound(1105),
            FeedbackEvent::impact(platform::ImpactStyle::Rigid)};
}

// Exposes the appearance hook, to appear again without a new presentation.
class ReappearingScanner : public ScanQRCodeViewController {
public:
    void appearAgain() { viewWillAppear(false); }
};

class ScanScreen : public ScannerFixture {
protected:
    FakeCaptureSession* session(ScanQRCodeViewController& screen) const
    {
        return static_cast<FakeCaptureSession*>(screen.captureSession());
    }
};

}  // namespace

// --- The scan window and the overlay ------------------------------------------------

TEST(ScanWindow, SitsCentredAndFortyFourPointsAboveTheMiddle)
{
    EXPECT_EQ(ScanQRCodeViewController::scanWindow({390, 844}), QRectF(67, 250, 256, 256));
    EXPECT_EQ(ScanQRCodeViewController::scanWindow({768, 1024}), QRectF(256, 340, 256, 256));
}

TEST(ScanWindow, MaskCoversEverythingButTheWindow)
{
    const QPainterPath mask = ScanOverlay::maskPath(QRectF(0, 0, 390, 844), QRectF(67, 250, 256, 256));
    EXPECT_TRUE(mask.contains(QPointF(10, 10)));
    EXPECT_TRUE(mask.contains(QPointF(200, 600)));
    EXPECT_FALSE(mask.contains(QPointF(195, 378)));
    EXPECT_FALSE(mask.contains(QPointF(70, 253)));
}

TEST(ScanWindow, TheWindowMapsToThePartOfTheFrameShownThere)
{
    // A landscape 1280 × 720 frame filling a portrait screen shows its middle, enlarged.
    const QRect part = CameraPreview::frameRectShownAt(QRectF(67, 250, 256, 256), QSizeF(1280, 720), QSizeF(390, 844));
    const qreal scale = 720.0 / 844.0;
    EXPECT_NEAR(part.width(), 256 * scale, 2);
    EXPECT_NEAR(part.center().x(), 640, 2);
    EXPECT_NEAR(part.top(), 250 * scale, 2);
}

TEST_F(ScanScreen, OpensWithTheOverlayAndTheCameraRunningBeneathIt)
{
    ScanQRCodeViewController& screen = open();
    EXPECT_EQ(screen.size(), QSize(390, 844));
    EXPECT_EQ(screen.scanWindow(), QRectF(67, 250, 256, 256));
    EXPECT_EQ(screen.visualView()->outline(), screen.scanWindow());
    EXPECT_FALSE(screen.visualView()->mask().contains(QPointF(195, 378)));
    ASSERT_NE(session(screen), nullptr);
    EXPECT_TRUE(session(screen)->isRunning());
    ASSERT_NE(screen.previewLayer(), nullptr);
    // The preview is beneath every other widget of the screen.
    const QWidgetList widgets = screen.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    EXPECT_EQ(widgets.first(), screen.previewLayer());
    EXPECT_EQ(screen.closeButton()->accessibleName(), "Close");
    EXPECT_EQ(screen.photoButton()->accessibleName(), "Photo");
    EXPECT_EQ(screen.closeButton()->toolTip(), "Close");
    EXPECT_EQ(screen.photoButton()->toolTip(), "Photo");
}

// --- The camera path ----------------------------------------------------------------

TEST_F(ScanScreen, ACodeInTheWindowHandsOverExactlyThatSetAfterTheScreenCloses)
{
    ScanQRCodeViewController& screen = open();
    FakeCaptureSession* camera = session(screen);
    testsupport::deliverFrame(*camera, frameWith(codeOf(cellarium::encodePattern(glider())), QRectF(87, 270, 216, 216)));
    testsupport::finishBackgroundWork();
    EXPECT_EQ(feedback_->events()[0], foundFeedback()[0]);
    EXPECT_FALSE(camera->isRunning());
    EXPECT_EQ(scanner(), nullptr);
    ASSERT_EQ(handedOver_.size(), 1u);
    EXPECT_EQ(handedOver_[0], glider());
    // The found feedback, then the click of the closing screen.
    std::vector<FeedbackEvent> expected = foundFeedback();
    for (const FeedbackEvent& event : click())
        expected.push_back(event);
    EXPECT_EQ(feedback_->events(), expected);
}

TEST_F(ScanScreen, ACodeOutsideTheWindowIsNotRead)
{
    ScanQRCodeViewController& screen = open();
    const QImage outside = frameWith(codeOf(cellarium::encodePattern(glider())), QRectF(10, 560, 200, 200));
    ASSERT_EQ(readQRCodes(outside).size(), 1u);  // readable, were the whole frame looked at
    testsupport::deliverFrame(*session(screen), outside);
    testsupport::finishBackgroundWork();
    testsupport::deliverFrame(*session(screen), frameWith(codeOf("[]"), QRectF(200, 150, 180, 180)));  // half inside
    testsupport::finishBackgroundWork();
    EXPECT_EQ(scanner(), &screen);
    EXPECT_TRUE(session(screen)->isRunning());
    EXPECT_TRUE(feedback_->events().empty());
    EXPECT_TRUE(handedOver_.empty());
    // Frames without a code keep it looking.
    testsupport::deliverFrame(*session(screen), frameWith(QImage(), QRectF()));
    testsupport::finishBackgroundWork();
    EXPECT_TRUE(session(screen)->isRunning());
}

TEST_F(ScanScreen, ACodeThatIsNotAPatternPlaysTheFoundFeedbackAndClosesWithNothing)
{
    open();
    testsupport::deliverFrame(*session(*scanner()), frameWith(codeOf("hello"), QRectF(87, 270, 216, 216)));
    testsupport::finishBackgroundWork();
    EXPECT_EQ(scanner(), nullptr);
    EXPECT_TRUE(handedOver_.empty());
    const std::vector<FeedbackEvent> events = feedback_->events();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(std::vector<FeedbackEvent>(events.begin(), events.begin() + 3), foundFeedback());
}

// The cells moved so that their bounding box starts at 0, 0, in order: the same
// pattern wherever it stands.
std::vector<Life> normalised(const LifeSet& lifes)
{
    std::vector<Life> cells;
    lifes.forEach([&](const Life& life) { cells.push_back(life); });
    if (cells.empty())
        return cells;
    std::int64_t minX = *cells.front().x, minY = *cells.front().y;
    for (const Life& life : cells) {
        minX = std::min(minX, *life.x);
        minY = std::min(minY, *life.y);
    }
    for (Life& life : cells)
        life = Life{*life.x - minX, *life.y - minY};
    std::sort(cells.begin(), cells.end(), [](const Life& a, const Life& b) {
        return std::pair(*a.y, *a.x) < std::pair(*b.y, *b.x);
    });
    return cells;
}

TEST_F(ScanScreen, RleAndPlaintextCodesHandOverTheirPatternCentredOnTheBoard)
{
    const QRectF window(87, 270, 216, 216);
    ScanQRCodeViewController& first = open();
    testsupport::deliverFrame(*session(first), frameWith(codeOf("x = 3, y = 3, rule = B3/S23\nbo$2bo$3o!\n"), window));
    testsupport::finishBackgroundWork();
    open();
    testsupport::deliverFrame(*session(*scanner()), frameWith(codeOf("!Name: glider\n.O\n..O\nOOO\n"), window));
    testsupport::finishBackgroundWork();
    ASSERT_EQ(handedOver_.size(), 2u);
    const std::int64_t rows = cellarium::kBoardSizes.front();
    for (const LifeSet& lifes : handedOver_) {
        EXPECT_EQ(normalised(lifes), normalised(glider()));
        EXPECT_TRUE(lifes.contains(Life{rows / 2 - 1, rows / 2 - 1}) || lifes.contains(Life{rows / 2, rows / 2 - 1}))
            << "centred on the " << rows << "-row board";
    }
}

TEST_F(ScanScreen, AThousandCellPatternTravelsThroughItsQRCodeAsRleAndBack)
{
    std::mt19937_64 random(20261208);
    LifeSet lifes;
    for (const Life& life : cellarium::randomSoup(random, 70, 45, 0.5))
        lifes.insert(life);
    ASSERT_GT(lifes.count(), 950u);
    const std::optional<std::string> message = qrCodeMessage(cellarium::encodePattern(lifes));
    ASSERT_TRUE(message);
    ASSERT_EQ(cellarium::sniffPatternFormat(*message), cellarium::PatternFormat::rle);
    // As the QR screen draws it, picked as a photo.
    pickPhoto(open(), qrCodeImage(*message));
    ASSERT_EQ(handedOver_.size(), 1u);
    EXPECT_EQ(normalised(handedOver_[0]), normalised(lifes));
}

TEST_F(ScanScreen, ACodeWithoutTextStopsTheCameraAndLeavesTheScreenOpen)
{
    ScanQRCodeViewController& screen = open();
    screen.didOutputCodes({std::nullopt});
    EXPECT_EQ(scanner(), &screen);
    EXPECT_FALSE(session(screen)->isRunning());
    EXPECT_TRUE(feedback_->events().empty());
    // Later frames are not looked at on this appearance.
    testsupport::deliverFrame(*session(screen), frameWith(codeOf("[]"), QRectF(87, 270, 216, 216)));
    testsupport::finishBackgroundWork();
    EXPECT_EQ(scanner(), &screen);
}

TEST_F(ScanScreen, WithoutAHandBackActionADecodedPatternIsDropped)
{
    auto* screen = new ScanQRCodeViewController;
    window_.rootViewController()->present(screen, false);
    EXPECT_TRUE(screen->handleScannedText(QStringLiteral("[{\"x\":1,\"y\":1}]")));
    EXPECT_EQ(scanner(), nullptr);
}

// --- No camera, and a camera that fails ------------------------------------------------

TEST_F(ScanScreen, WithoutACameraTheScreenOpensWithTheOverlayAndThePhotoPathWorks)
{
    camera_->hasCamera = false;
    ScanQRCodeViewController& screen = open();
    EXPECT_EQ(screen.captureSession(), nullptr);
    EXPECT_EQ(screen.previewLayer(), nullptr);
    EXPECT_EQ(screen.visualView()->outline(), QRectF(67, 250, 256, 256));
    SKIP_WITHOUT_QRENCODE();
    pickPhoto(screen, qrpeers::qrencodeImage(QByteArray::fromStdString(cellarium::encodePattern(glider()))));
    ASSERT_EQ(handedOver_.size(), 1u);
    EXPECT_EQ(handedOver_[0], glider());
}

TEST_F(ScanScreen, ACameraFailingWhileRunningLeavesTheOverlayAndThePhotoPath)
{
    ScanQRCodeViewController& screen = open();
    session(screen)->fail();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(screen.captureSession(), nullptr);
    EXPECT_EQ(screen.previewLayer(), nullptr);
    EXPECT_EQ(*camera_->aliveSessions, 0);
    EXPECT_EQ(scanner(), &screen);
    pickPhoto(screen, frameWith(codeOf(cellarium::encodePattern(glider())), QRectF(87, 270, 216, 216)));
    ASSERT_EQ(handedOver_.size(), 1u);
}

// --- Mended: stacked previews, a camera running while covered -------------------------

TEST_F(ScanScreen, RegressionEachAppearanceReplacesThePreviewAndTheSessionInsteadOfStackingThem)
{
    auto& screen = open<ReappearingScanner>();
    screen.appearAgain();
    screen.appearAgain();
    EXPECT_EQ(camera_->sessionsMade, 3);
    EXPECT_EQ(*camera_->aliveSessions, 1);
    EXPECT_EQ(screen.findChildren<CameraPreview*>().size(), 1);
    EXPECT_EQ(screen.findChildren<ScanOverlay*>().size(), 1);
    EXPECT_TRUE(session(screen)->isRunning());
}

TEST_F(ScanScreen, RegressionTheCameraStopsWhileThePhotoPickerCoversTheScreen)
{
    ScanQRCodeViewController& screen = open();
    FakeCaptureSession* camera = session(screen);
    screen.photoButton()->click();
    EXPECT_EQ(feedback_->events(), click());
    EXPECT_TRUE(picker_->isOpen());
    EXPECT_FALSE(camera->isRunning());
    picker_->answer(std::nullopt);  // cancelled
    EXPECT_TRUE(camera->isRunning());
    EXPECT_EQ(scanner(), &screen);
}

TEST_F(ScanScreen, RegressionTheCameraStopsWhileTheAppIsInactiveAndRestartsWhenActive)
{
    ScanQRCodeViewController& screen = open();
    screen.applicationStateDidChange(Qt::ApplicationInactive);
    EXPECT_FALSE(session(screen)->isRunning());
    screen.applicationStateDidChange(Qt::ApplicationHidden);
    EXPECT_FALSE(session(screen)->isRunning());
    screen.applicationStateDidChange(Qt::ApplicationActive);
    EXPECT_TRUE(session(screen)->isRunning());
    // Not after a code has stopped it for good.
    screen.didOutputCodes({std::nullopt});
    screen.applicationStateDidChange(Qt::ApplicationInactive);
    screen.applicationStateDidChange(Qt::ApplicationActive);
    EXPECT_FALSE(session(screen)->isRunning());
}

TEST_F(ScanScreen, ClosingStopsTheCameraWithTheClickFeedbackAndHandsNothingBack)
{
    ScanQRCodeViewController& screen = open();
    FakeCaptureSession* camera = session(screen);
    screen.closeButton()->click();
    EXPECT_FALSE(camera->isRunning());
    EXPECT_EQ(feedback_->events(), click());
    EXPECT_EQ(scanner(), nullptr);
    EXPECT_TRUE(handedOver_.empty());

    open();
    QTest::keyClick(scanner(), Qt::Key_Escape);
    EXPECT_EQ(scanner(), nullptr);
    EXPECT_EQ(feedback_->events(), click());
}

// --- Mended: detection on the main thread ------------------------------------------------

TEST_F(ScanScreen, RegressionFramesAreReadOffTheMainThreadAndOnlyTheLatestWaits)
{
    ScanQRCodeViewController& screen = open();
    FakeCaptureSession* camera = session(screen);
    const QRectF window(87, 270, 216, 216);
    const LifeSet block{Life{0, 0}, Life{1, 0}, Life{0, 1}, Life{1, 1}};
    testsupport::deliverFrame(*camera, frameWith(QImage(), QRectF()));  // read at once
    testsupport::deliverFrame(*camera, frameWith(codeOf(cellarium::encodePattern(block)), window));  // waits...
    const QImage latest = frameWith(codeOf(cellarium::encodePattern(glider())), window);
    testsupport::deliverFrame(*camera, latest);  // ...and is replaced by this one
    // Each frame is shown as it comes; none has been read on the main thread.
    EXPECT_EQ(screen.previewLayer()->frame().convertToFormat(QImage::Format_RGB32), latest);
    EXPECT_EQ(scanner(), &screen);
    EXPECT_TRUE(handedOver_.empty());
    testsupport::finishBackgroundWork();
    ASSERT_EQ(handedOver_.size(), 1u);
    EXPECT_EQ(handedOver_[0], glider());
}

TEST_F(ScanScreen, RegressionAPickedPhotoIsReadOffTheMainThreadWithTheCameraAndPhotoButtonWaiting)
{
    ScanQRCodeViewController& screen = open();
    testsupport::deliverFrame(*session(screen), frameWith(QImage(), QRectF()));  // still being read...
    screen.photoButton()->click();
    picker_->answer(savePhoto(codeOf(cellarium::encodePattern(glider()))));  // ...so the photo waits
    EXPECT_EQ(scanner(), &screen);
    EXPECT_TRUE(handedOver_.empty());
    EXPECT_FALSE(session(screen)->isRunning()) << "a frame's code would race the photo's";
    EXPECT_FALSE(screen.photoButton()->isEnabled());
    // The camera stopping again (the app inactive) drops frames waiting, not the photo.
    screen.applicationStateDidChange(Qt::ApplicationInactive);
    screen.applicationStateDidChange(Qt::ApplicationActive);
    testsupport::finishBackgroundWork();
    EXPECT_TRUE(screen.photoButton()->isEnabled());
    ASSERT_EQ(handedOver_.size(), 1u);
    EXPECT_EQ(handedOver_[0], glider());
}

TEST_F(ScanScreen, RegressionAScreenClosedWhileItsPictureIsReadGetsNothingBack)
{
    const QImage code = codeOf(cellarium::encodePattern(glider()));
    for (const bool photo : {false, true}) {
        for (const bool deleted : {true, false}) {  // gone, or closed and not yet deleted
            ScanQRCodeViewController& screen = open();
            if (photo) {
                screen.photoButton()->click();
                picker_->answer(savePhoto(code));
            } else {
                testsupport::deliverFrame(*session(screen), frameWith(code, QRectF(87, 270, 216, 216)));
            }
            feedback_->clear();
            screen.closeButton()->click();
            if (deleted)
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            testsupport::finishBackgroundWork();
            EXPECT_EQ(scanner(), nullptr) << photo;
            EXPECT_TRUE(handedOver_.empty()) << "photo " << photo << ", deleted " << deleted;
            EXPECT_EQ(feedback_->events(), click())
                << "the closing only, no found or refusal cue; photo " << photo << ", deleted " << deleted;
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
}
