#include "OptionsScreenFixture.h"

#include "BackgroundWork.h"
#include "FakeCamera.h"
#include "platform/ImageView.h"
#include "qr/QRCodeImage.h"
#include "qr/QRCodeViewController.h"
#include "qr/ScanQRCodeViewController.h"
#include "QRPeers.h"

#include "model/BoardGeometry.h"
#include "model/BoardSize.h"
#include "model/PatternCoding.h"
#include "model/PatternText.h"
#include "model/PictureFrame.h"
#include "model/PlacedPattern.h"
#include "platform/PicturesFolder.h"
#include "platform/ShareSheet.h"
#include "platform/SystemSymbol.h"
#include "RandomSoup.h"
#include "qr/QRCodeMessage.h"

#include <QCoreApplication>
#include <QDir>
#include <QPushButton>
#include <QToolButton>
#include <QEvent>
#include <QPainter>
#include <QSemaphore>
#include <QThreadPool>

#include <memory>

using cellarium::Life;
using cellarium::LifeSet;

namespace {

QRCodeViewController* qrScreenOver(MoreViewController* more)
{
    return more ? qobject_cast<QRCodeViewController*>(more->presentedViewController()) : nullptr;
}

LifeSet glider()
{
    return LifeSet{Life{1, 0}, Life{2, 1}, Life{0, 2}, Life{1, 2}, Life{2, 2}};
}

// The cells a framed picture of `lifes` shows: those whose square's centre pixel is
// nearer the cell colour than the background, as a person (or a JPEG's blur) sees it.
LifeSet cellsSeen(const QImage& picture, const LifeSet& lifes, const QColor& cell, const QColor& background)
{
    const cellarium::PictureFrame frame = cellarium::framePicture(*cellarium::boundingBox(lifes));
    LifeSet seen;
    if (picture.width() != frame.widthPixels() || picture.height() != frame.heightPixels())
        return seen;
    auto distance = [](QRgb a, const QColor& b) {
        return std::abs(qRed(a) - b.red()) + std::abs(qGreen(a) - b.green()) + std::abs(qBlue(a) - b.blue()) +
               std::abs(qAlpha(a) - b.alpha());
    };
    for (std::int64_t row = 0; row < frame.cells.rows; ++row)
        for (std::int64_t column = 0; column < frame.cells.columns; ++column) {
            const int half = frame.cellPixels / 2;
            const QRgb centre = picture.pixel(int(column) * frame.cellPixels + half, int(row) * frame.cellPixels + half);
            if (distance(centre, cell) < distance(centre, background))
                seen.insert(Life{frame.cells.left + column, frame.cells.top + row});
        }
    return seen;
}

}  // namespace

TEST_F(OptionsScreen, PatternRowOpensTheQRCodeOfTheBoardsEncodingAtOnce)
{
    MainViewController& root = board();
    root.loadPattern(glider());
    MoreViewController& more = openOptions();
    clearCues();
    tapRow(MoreViewController::qrCodeRow);
    EXPECT_EQ(cues(), clickFeedback());
    QRCodeViewController* qr = qrScreenOver(&more);
    ASSERT_NE(qr, nullptr);  // synchronously
    const std::string bytes = cellarium::encodePattern(root.lifes());
    EXPECT_EQ(more.lifeData(), bytes);
    EXPECT_TRUE(more.savedImage().isNull());
    EXPECT_EQ(qr->data(), bytes);
    EXPECT_TRUE(qr->savedImage().isNull());
    runQueuedWork();
    SKIP_WITHOUT_ZBARIMG();
    EXPECT_EQ(qrpeers::zbarDecode(qr->imageView()->image()), QByteArray::fromStdString(bytes));
}

TEST_F(OptionsScreen, PictureRowHandsOverTheBoardPictureOnTheNextTurn)
{
    MainViewController& root = board();
    root.loadPattern(glider());
    MoreViewController& more = openOptions();
    tapRow(MoreViewController::pictureRow);
    EXPECT_EQ(qrScreenOver(&more), nullptr);  // queued
    runQueuedWork();
    QRCodeViewController* qr = qrScreenOver(&more);
    ASSERT_NE(qr, nullptr);
    EXPECT_FALSE(more.lifeData().has_value());
    EXPECT_FALSE(qr->data().has_value());
    // The glider with three cells of margin, 114 pixels a cell, with the cells drawn.
    const QImage picture = qr->savedImage();
    EXPECT_EQ(picture.size(), QSize(9 * 114, 9 * 114));
    EXPECT_EQ(qr->imageView()->image(), picture);
    EXPECT_EQ(cellsSeen(picture, glider(), platform::labelColor(), Qt::transparent), glider());
}

TEST_F(OptionsScreen, EachOfTheTwoRowsReplacesWhatTheOtherHandedOver)
{
    board().loadPattern(glider());
    MoreViewController& more = openOptions();
    tapRow(MoreViewController::pictureRow);
    runQueuedWork();
    ASSERT_NE(qrScreenOver(&more), nullptr);
    qrScreenOver(&more)->back(nullptr);
    tapRow(MoreViewController::qrCodeRow);
    QRCodeViewController* qr = qrScreenOver(&more);
    ASSERT_NE(qr, nullptr);
    EXPECT_TRUE(qr->savedImage().isNull());
    EXPECT_TRUE(qr->data().has_value());
    qr->back(nullptr);

    tapRow(MoreViewController::pictureRow);
    runQueuedWork();
    qr = qrScreenOver(&more);
    ASSERT_NE(qr, nullptr);
    EXPECT_FALSE(qr->data().has_value());
    EXPECT_FALSE(qr->savedImage().isNull());
}

TEST_F(OptionsScreen, EmptyBoardGivesTheEmptyEncodingAndAPictureWithoutCells)
{
    MoreViewController& more = openOptions();
    tapRow(MoreViewController::qrCodeRow);
    ASSERT_NE(qrScreenOver(&more), nullptr);
    EXPECT_EQ(qrScreenOver(&more)->data(), std::string("[]"));
    qrScreenOver(&more)->back(nullptr);
    tapRow(MoreViewController::pictureRow);
    runQueuedWork();
    ASSERT_NE(qrScreenOver(&more), nullptr);
    const QImage picture = qrScreenOver(&more)->savedImage();
    ASSERT_FALSE(picture.isNull());
    QImage empty(picture.size(), picture.format());
    empty.fill(Qt::transparent);
    empty.setDevicePixelRatio(picture.devicePixelRatio());
    EXPECT_EQ(picture, empty);
}

TEST_F(OptionsScreen, APictureQueuedForAClosedScreenDoesNothing)
{
    MoreViewController& more = openOptions();
    tapRow(MoreViewController::pictureRow);
    more.back(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    runQueuedWork();
    EXPECT_EQ(options(), nullptr);
    EXPECT_EQ(board().presentedViewController(), nullptr);
}

// Holds every thread of the global pool until it goes, so that work handed to the
// pool meanwhile waits.
class BlockedPool {
public:
    BlockedPool()
    {
        for (int i = 0; i < threads_; ++i)
            QThreadPool::globalInstance()->start([release = release_] { release->acquire(); });
    }
    // The threads may still be waking when this has gone: they share the semaphore.
    ~BlockedPool() { release_->release(threads_); }

private:
    int threads_ = QThreadPool::globalInstance()->maxThreadCount();
    std::shared_ptr<QSemaphore> release_ = std::make_shared<QSemaphore>();
};

TEST_F(OptionsScreen, RegressionTheBoardPictureIsDrawnOnAPoolThreadFromTheCellsAsTapped)
{
    // Filling up to 577,600 squares on the main thread froze the window.
    MainViewController& root = board();
    root.loadPattern(glider());
    MoreViewController& more = openOptions();
    {
        BlockedPool pool;
        tapRow(MoreViewController::pictureRow);
        tapRow(MoreViewController::pictureRow);  // a second tap while it is drawn adds nothing
        root.clearBoard();                       // the picture shows the board as it was tapped
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(qrScreenOver(&more), nullptr) << "drawn without the pool";
    }
    runQueuedWork();
    QRCodeViewController* qr = qrScreenOver(&more);
    ASSERT_NE(qr, nullptr);
    const QImage picture = qr->savedImage();
    EXPECT_EQ(cellsSeen(picture, glider(), platform::labelColor(), Qt::transparent), glider());
    qr->back(nullptr);

    // Closed while its picture is drawn, the screen presents nothing.
    {
        BlockedPool pool;
        tapRow(MoreViewController::pictureRow);
        more.back(nullptr);
    }
    runQueuedWork();
    EXPECT_EQ(more.presentedViewController(), nullptr);
}

TEST_F(OptionsScreen, WithoutABoardThePictureAndCodeRowsOpenNothing)
{
    MainViewController& root = board();
    auto* more = new MoreViewController(archive_);  // no delegate
    root.present(more, false);
    for (int row : {MoreViewController::pictureRow, MoreViewController::qrCodeRow}) {
        clearCues();
        tapRow(row);
        runQueuedWork();
        EXPECT_EQ(cues(), clickFeedback()) << row;
        EXPECT_EQ(more->presentedViewController(), nullptr) << row;
    }
}

TEST_F(OptionsScreen, ScanRowOpensTheScannerAndAScannedCodeLoadsThePausedBoardAndCloses)
{
    auto camera = std::make_unique<testsupport::FakeCameraAccess>();
    testsupport::FakeCameraAccess* access = camera.get();
    services_->set().with(std::move(camera));
    MainViewController& root = board();
    root.toggleLife(Life{2, 2});
    root.startOrPauseGame(nullptr);
    MoreViewController& more = openOptions();
    clearCues();
    tapRow(MoreViewController::scanRow);
    auto* scanner = qobject_cast<ScanQRCodeViewController*>(more.presentedViewController());
    ASSERT_NE(scanner, nullptr);
    EXPECT_TRUE(static_cast<bool>(scanner->dismissClosure()));
    ASSERT_NE(scanner->captureSession(), nullptr);
    EXPECT_EQ(access->sessionsMade, 1);

    // The code held in front of the camera, filling the scan window.
    QImage frame(780, 1688, QImage::Format_RGB32);
    frame.fill(Qt::white);
    {
        QPainter painter(&frame);
        painter.drawImage(QRect(154, 520, 472, 472), qrCodeImage(cellarium::encodePattern(glider()), 4));
    }
    testsupport::deliverFrame(*scanner->captureSession(), frame);
    testsupport::finishBackgroundWork();
    EXPECT_EQ(root.lifes(), glider());
    EXPECT_EQ(root.initLifes(), glider());
    EXPECT_FALSE(root.startGame());
    EXPECT_EQ(options(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(*access->aliveSessions, 0);
}

// Regression: the RLE a code falls back to lost the pattern's place, so a code shared
// from a 760 board came back elsewhere, or (wider than 190) was refused by a 190 board.
TEST_F(OptionsScreen, APatternTooLargeForAJsonCodeIsSavedToPicturesAsRleThatReadsBackToItsPlace)
{
    MainViewController& root = board();
    root.changeBoardSize();
    root.changeBoardSize();  // 760 rows
    LifeSet lifes{Life{20, 30}};
    for (std::int64_t y = 0; y < 40; ++y)
        for (std::int64_t x = 0; x < 40; x += 2)
            lifes.insert(Life{680 + x + y % 2, 700 + y});
    root.loadPattern(lifes);
    ASSERT_GT(cellarium::encodePattern(lifes).size(), qrMaxMessageBytes);
    MoreViewController& more = openOptions();
    tapRow(MoreViewController::qrCodeRow);
    runQueuedWork();
    QRCodeViewController* qr = qrScreenOver(&more);
    ASSERT_NE(qr, nullptr);
    qr->shareButton()->click();
    auto* sheet = qobject_cast<platform::ShareSheet*>(qr->presentedViewController());
    ASSERT_NE(sheet, nullptr);
    const QString pictures = dir_.filePath(QStringLiteral("Pictures"));
    ASSERT_TRUE(QDir().mkpath(pictures));
    services_->set().with(std::make_unique<platform::PicturesFolder>(pictures));
    auto* save = sheet->findChild<QPushButton*>(QStringLiteral("saveButton"));
    ASSERT_NE(save, nullptr);
    save->click();
    const QStringList saved = QDir(pictures).entryList(QDir::Files);
    ASSERT_EQ(saved.size(), 1);
    SKIP_WITHOUT_ZBARIMG();
    const std::optional<QByteArray> text = qrpeers::zbarDecodeFile(QDir(pictures).filePath(saved[0]));
    ASSERT_TRUE(text);
    ASSERT_TRUE(text->startsWith("#CXRLE Pos=-360,-350\n")) << text->left(40).toStdString();
    // Scanned on a board of any size, it needs the 760 one and lands where it was.
    for (const std::int64_t rows : cellarium::kBoardSizes) {
        const cellarium::PatternReading read = cellarium::readPatternTextForBoard(text->toStdString(), rows);
        ASSERT_TRUE(read) << read.fault;
        const auto fitted = cellarium::fitPatternToBoard(cellarium::PlacedPattern(*read.lifes, read.rows), rows);
        ASSERT_TRUE(fitted);
        EXPECT_EQ(fitted->rows, 760);
        EXPECT_EQ(fitted->lifes, lifes) << rows;
    }
}

// The picture saved from the share sheet is read back: every live cell of the board,
// and no other, is seen at its square's centre in the JPEG.
TEST_F(OptionsScreen, TheSavedBoardPictureShowsExactlyTheBoardsLiveCells)
{
    MainViewController& root = board();
    std::mt19937_64 random(25);
    const LifeSet soup(cellarium::randomSoup(random, 40, 60, 0.35));
    root.loadPattern(soup);
    MoreViewController& more = openOptions();
    tapRow(MoreViewController::pictureRow);
    runQueuedWork();
    QRCodeViewController* qr = qrScreenOver(&more);
    ASSERT_NE(qr, nullptr);
    qr->shareButton()->click();
    auto* sheet = qobject_cast<platform::ShareSheet*>(qr->presentedViewController());
    ASSERT_NE(sheet, nullptr);
    const QString pictures = dir_.filePath(QStringLiteral("Pictures"));
    services_->set().with(std::make_unique<platform::PicturesFolder>(pictures));
    const std::optional<QString> path = sheet->saveToPictures();
    ASSERT_TRUE(path);
    const QImage jpeg(*path, "JPEG");
    ASSERT_FALSE(jpeg.isNull());
    // 60 cells and the margin at 16 pixels a cell: the pattern spans the picture.
    EXPECT_EQ(jpeg.size(), QSize(66 * 16, 66 * 16));
    EXPECT_EQ(cellsSeen(jpeg, soup, platform::labelColor(), qr->palette().color(QPalette::Window)), soup);
}
