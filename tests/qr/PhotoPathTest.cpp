#include "qr/PickedImage.h"
#include "qr/QRCodeImage.h"
#include "qr/QRCodeReader.h"
#include "qr/ScanQRCodeViewController.h"
#include "QRPeers.h"
#include "ScannerFixture.h"

#include "FakeCamera.h"
#include "model/PatternCoding.h"
#include "platform/NoticeLine.h"
#include "RecordedFeedback.h"

#include <QAccessible>
#include <QPainter>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTransform>

#include <gtest/gtest.h>

using cellarium::Life;
using cellarium::LifeSet;

namespace {

LifeSet pattern()
{
    return LifeSet{Life{10, 10}, Life{11, 10}, Life{12, 10}, Life{-4, 7}};
}

QByteArray encoded(const LifeSet& lifes)
{
    return QByteArray::fromStdString(cellarium::encodePattern(lifes));
}

// `image` laid on a white canvas with a margin, turned by `degrees`.
QImage turned(const QImage& image, qreal degrees)
{
    const QImage rotated = image.convertToFormat(QImage::Format_RGB32)
                               .transformed(QTransform().rotate(degrees), Qt::SmoothTransformation);
    QImage canvas(rotated.size() + QSize(80, 80), QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.drawImage(40, 40, rotated);
    return canvas;
}

// Two codes side by side on one picture.
QImage sideBySide(const QImage& left, const QImage& right)
{
    QImage canvas(left.width() + right.width() + 40, qMax(left.height(), right.height()), QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.drawImage(0, 0, left);
    painter.drawImage(left.width() + 40, 0, right);
    return canvas;
}

// The scanner without a camera, open, with a photo picker the test answers.
class PhotoPath : public ScannerFixture {
protected:
    void SetUp() override
    {
        ScannerFixture::SetUp();
        camera_->hasCamera = false;
        open();
    }
    // Picks the file through the open scanner's photo button.
    void pick(const QString& path)
    {
        ASSERT_NE(scanner(), nullptr);
        pickPhoto(*scanner(), path);
    }
};

}  // namespace

TEST_F(PhotoPath, ACodeMadeByQrencodeHandsOverItsPattern)
{
    SKIP_WITHOUT_QRENCODE();
    pick(savePhoto(qrpeers::qrencodeImage(encoded(pattern()))));
    EXPECT_EQ(scanner(), nullptr);
    ASSERT_EQ(handedOver_.size(), 1u);
    EXPECT_EQ(handedOver_[0], pattern());
}

TEST_F(PhotoPath, QrencodeCodesAlsoReadWhenScaledTurnedOrSavedAsJpeg)
{
    SKIP_WITHOUT_QRENCODE();
    const QImage code = qrpeers::qrencodeImage(encoded(pattern()), 5);
    ASSERT_FALSE(code.isNull());
    struct Variant {
        const char* name;
        QImage image;
        const char* format;
        int quality;
    };
    const std::vector<Variant> variants = {
        {"scaled up 2.7 times, smoothed", code.scaled(code.size() * 2.7, Qt::KeepAspectRatio, Qt::SmoothTransformation), "PNG", -1},
        {"scaled down to 60%", code.scaled(code.size() * 0.6, Qt::KeepAspectRatio, Qt::SmoothTransformation), "PNG", -1},
        {"turned 6 degrees", turned(code, 6), "PNG", -1},
        {"turned -11 degrees", turned(code, -11), "PNG", -1},
        {"JPEG at quality 60", code, "JPEG", 60},
        {"turned 4 degrees, JPEG at quality 75", turned(code, 4), "JPEG", 75},
    };
    for (const Variant& variant : variants) {
        handedOver_.clear();
        if (!scanner())
            open();
        pick(savePhoto(variant.image, variant.format, variant.quality));
        ASSERT_EQ(handedOver_.size(), 1u) << variant.name;
        EXPECT_EQ(handedOver_[0], pattern()) << variant.name;
    }
}

TEST_F(PhotoPath, TwoPatternCodesInOnePhotoHandOverNothingAndTheScreenStaysOpen)
{
    const QImage a = qrCodeImage(cellarium::encodePattern(pattern()), 6);
    const QImage b = qrCodeImage(cellarium::encodePattern(LifeSet{Life{1, 1}}), 6);
    pick(savePhoto(sideBySide(a, b)));
    EXPECT_NE(scanner(), nullptr);
    EXPECT_TRUE(handedOver_.empty());
}

TEST_F(PhotoPath, SeveralCodesAreJoinedInTheDetectorsOrder)
{
    // Two halves of one pattern: only joined in the detector's order do they decode.
    const std::string whole = cellarium::encodePattern(pattern());
    const std::string first = whole.substr(0, whole.size() / 2);
    const std::string second = whole.substr(whole.size() / 2);
    const QImage photo = sideBySide(qrCodeImage(first, 6), qrCodeImage(second, 6));
    const std::vector<std::optional<std::string>> codes = readQRCodes(photo);
    ASSERT_EQ(codes.size(), 2u);
    std::string joined;
    for (const auto& code : codes)
        joined += code.value_or("");
    pick(savePhoto(photo));
    if (joined == whole) {
        ASSERT_EQ(handedOver_.size(), 1u);
        EXPECT_EQ(handedOver_[0], pattern());
    } else {
        EXPECT_EQ(joined, second + first);
        EXPECT_TRUE(handedOver_.empty());
    }
}

TEST_F(PhotoPath, APhotoWithoutACodeOrNotAnImageHandsOverNothing)
{
    QImage blank(400, 300, QImage::Format_RGB32);
    blank.fill(Qt::gray);
    pick(savePhoto(blank));
    EXPECT_NE(scanner(), nullptr);
    QFile text(dir_.filePath(QStringLiteral("notes.png")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("[{\"x\":1,\"y\":1}]");
    text.close();
    pick(text.fileName());
    pick(dir_.filePath(QStringLiteral("gone.png")));
    EXPECT_NE(scanner(), nullptr);
    EXPECT_TRUE(handedOver_.empty());
}

TEST_F(PhotoPath, ACodeWithAWordThatIsNotAPatternLeavesTheScreenOpen)
{
    pick(savePhoto(qrCodeImage("hello", 6)));
    EXPECT_NE(scanner(), nullptr);
    EXPECT_TRUE(handedOver_.empty());
}

// --- Mended: a photo without a pattern gave nothing to see --------------------------------

TEST_F(PhotoPath, RegressionAPhotoWithoutAPatternSaysSoWithTheRefusalCue)
{
    QImage blank(400, 300, QImage::Format_RGB32);
    blank.fill(Qt::gray);
    QFile text(dir_.filePath(QStringLiteral("notes.png")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("[{\"x\":1,\"y\":1}]");
    text.close();
    const std::vector<std::pair<const char*, QString>> photos = {
        {"no code", savePhoto(blank)},
        {"a word", savePhoto(qrCodeImage("hello", 6))},
        {"a web address", savePhoto(qrCodeImage("https://example.com/cellarium?board=760", 6))},
        {"broken JSON", savePhoto(qrCodeImage("[{\"x\":1,", 6))},
        {"two pattern codes", savePhoto(sideBySide(qrCodeImage("[]", 6), qrCodeImage("[]", 6)))},
        {"not an image", text.fileName()},
        {"a file gone", dir_.filePath(QStringLiteral("gone.png"))},
    };
    for (const auto& [what, path] : photos) {
        feedback_->clear();
        pick(path);
        ASSERT_NE(scanner(), nullptr) << what;
        EXPECT_TRUE(handedOver_.empty()) << what;
        const platform::NoticeLine* notice = scanner()->noticeLine();
        EXPECT_TRUE(notice->isVisible()) << what;
        EXPECT_EQ(notice->text(), QStringLiteral("No pattern in this picture")) << what;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(const_cast<platform::NoticeLine*>(notice));
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->role(), QAccessible::AlertMessage) << what;
        // The photo button's click, then the refusal.
        const std::vector<platform::FeedbackEvent> events = feedback_->events();
        ASSERT_FALSE(events.empty()) << what;
        EXPECT_EQ(events.back(), platform::FeedbackEvent::sound(1103)) << what;
        EXPECT_TRUE(scanner()->photoButton()->isEnabled()) << what;
    }
    // Picking again takes the line away.
    scanner()->photoButton()->click();
    EXPECT_FALSE(scanner()->noticeLine()->isVisible());
    picker_->answer(std::nullopt);
}

// --- Mended: transparent pictures -----------------------------------------------------

TEST_F(PhotoPath, RegressionACodeOnATransparentBackgroundReadsAsOnWhitePaper)
{
    // Dropping the alpha made transparent black (and any colour under alpha 0) black
    // round black modules: such PNGs never scanned.
    SKIP_WITHOUT_QRENCODE();
    const QByteArray message = encoded(pattern());
    for (const char* colours : {"--background=FFFFFF00", "--background=00000000", "--background=FF000000",
                                "--foreground=000000C0 --background=00000000"}) {
        handedOver_.clear();
        if (!scanner())
            open();
        const QString path = dir_.filePath(QStringLiteral("transparent.png"));
        ASSERT_TRUE(qrpeers::qrencodeFile(message, path, 6, QString::fromLatin1(colours).split(u' '))) << colours;
        pick(path);
        ASSERT_EQ(handedOver_.size(), 1u) << colours;
        EXPECT_EQ(handedOver_[0], pattern()) << colours;
    }
}

// --- Mended: huge pictures ------------------------------------------------------------

TEST(PickedImage, RegressionAHugePictureIsScaledDownToTheCapBeforeDetection)
{
    QTemporaryDir dir;
    // 6000 × 6000 JPEG with a code filling most of it: read at no more than the cap.
    QImage huge(6000, 6000, QImage::Format_Grayscale8);
    huge.fill(255);
    {
        QPainter painter(&huge);
        painter.drawImage(QRect(500, 500, 5000, 5000), qrCodeImage(cellarium::encodePattern(pattern()), 1));
    }
    const QString path = dir.filePath(QStringLiteral("huge.jpg"));
    ASSERT_TRUE(huge.save(path, "JPEG", 90));
    huge = QImage();
    const QImage loaded = loadPickedImage(path);
    ASSERT_FALSE(loaded.isNull());
    EXPECT_LE(qMax(loaded.width(), loaded.height()), maxPickedImageSide);
    EXPECT_GE(qMax(loaded.width(), loaded.height()), maxPickedImageSide / 2);
    const auto codes = readQRCodes(loaded);
    ASSERT_EQ(codes.size(), 1u);
    EXPECT_EQ(codes[0], cellarium::encodePattern(pattern()));
}

TEST(PickedImage, ScalesEveryFormatToTheCapKeepingTheAspect)
{
    QTemporaryDir dir;
    QImage wide(1000, 400, QImage::Format_RGB32);
    wide.fill(Qt::white);
    for (const char* format : {"PNG", "JPEG", "BMP"}) {
        const QString path = dir.filePath(QStringLiteral("wide.") + QString::fromLatin1(format).toLower());
        ASSERT_TRUE(wide.save(path, format));
        EXPECT_EQ(loadPickedImage(path, 250).size(), QSize(250, 100)) << format;
        EXPECT_EQ(loadPickedImage(path, 4096).size(), QSize(1000, 400)) << format;
    }
}

TEST(PickedImage, APictureTooLargeToReadWholeIsRefusedNotRead)
{
    // A PNG header claiming 60000 × 60000 pixels (14 GB decoded): refused before decoding.
    QByteArray png = QByteArray::fromHex("89504e470d0a1a0a0000000d49484452"
                                         "0000ea600000ea600806000000");
    png += QByteArray(4, '\0');  // CRC (unchecked)
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("claims-huge.png")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(png);
    file.close();
    EXPECT_TRUE(loadPickedImage(file.fileName()).isNull());
}
