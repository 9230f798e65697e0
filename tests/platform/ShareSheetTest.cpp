#include "FixedScreen.h"
#include "platform/AppWindow.h"
#include "platform/MainScreen.h"
#include "platform/PicturesFolder.h"
#include "platform/ShareSheet.h"
#include "platform/SharedCopies.h"
#include "platform/UrlOpener.h"

#include "RecordingUrlOpener.h"

#include <QBuffer>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QByteArray jpegOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 100);
    return bytes;
}

QByteArray samplePicture()
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int x = 0; x < 20; ++x)
        image.setPixelColor(x, 5, Qt::black);
    return jpegOf(image);
}

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A share sheet presented over a root screen, saving into a temporary Pictures folder.
class ShareSheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::ViewController::setAnimationsEnabled(false);
        auto urls = std::make_unique<testsupport::RecordingUrlOpener>();
        urls_ = urls.get();
        services_.emplace(platform::Services().with(std::move(urls)).with(
            std::make_unique<platform::PicturesFolder>(dir_.filePath(QStringLiteral("Pictures")))));
        window_.resize(768, 1024);
        window_.setRootViewController(new platform::ViewController);
        window_.show();
    }
    void TearDown() override
    {
        services_.reset();
    }
    platform::ShareSheet& present(const QByteArray& jpeg = samplePicture())
    {
        auto* sheet = new platform::ShareSheet(jpeg);
        window_.rootViewController()->present(sheet, false);
        return *sheet;
    }
    bool isOpen() const { return window_.rootViewController()->presentedViewController() != nullptr; }
    QStringList savedFiles() const
    {
        return QDir(dir_.filePath(QStringLiteral("Pictures"))).entryList(QDir::Files, QDir::Name);
    }

    QTemporaryDir dir_;
    std::optional<platform::ServicesInPlace> services_;  // before the window, whose sheets use it
    platform::AppWindow window_;
    testsupport::RecordingUrlOpener* urls_ = nullptr;
};

}  // namespace

TEST_F(ShareSheetTest, OffersTheThreeActionsUnderTheirAccessibleNames)
{
    platform::ShareSheet& sheet = present();
    EXPECT_EQ(sheet.saveButton()->accessibleName(), "Save to Pictures");
    EXPECT_EQ(sheet.copyButton()->accessibleName(), "Copy");
    EXPECT_EQ(sheet.openButton()->accessibleName(), "Open");
    for (QPushButton* button : {sheet.saveButton(), sheet.copyButton(), sheet.openButton(), sheet.cancelButton()})
        EXPECT_EQ(button->toolTip(), button->accessibleName());
}

TEST_F(ShareSheetTest, SaveWritesTheJpegAsANewDatedFileAndCloses)
{
    const QByteArray jpeg = samplePicture();
    platform::ShareSheet& sheet = present(jpeg);
    const QDateTime before = QDateTime::currentDateTime();
    sheet.saveButton()->click();
    EXPECT_FALSE(isOpen());
    const QStringList files = savedFiles();
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(contentsOf(QDir(dir_.filePath("Pictures")).filePath(files[0])), jpeg);
    EXPECT_TRUE(files[0].startsWith(QStringLiteral("Cellarium ") + before.toString("yyyy-MM-dd"))) << files[0].toStdString();
    EXPECT_TRUE(files[0].endsWith(".jpg"));
}

TEST_F(ShareSheetTest, SaveNeverOverwritesAPictureOfTheSameName)
{
    // Files already holding every name this second and the next could give.
    const QDateTime now = QDateTime::currentDateTime();
    QDir().mkpath(dir_.filePath("Pictures"));
    for (const QDateTime& when : {now, now.addSecs(1)}) {
        QFile existing(QDir(dir_.filePath("Pictures")).filePath(platform::ShareSheet::savedFileName(when)));
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("keep me");
    }
    platform::ShareSheet& sheet = present();
    const std::optional<QString> path = sheet.saveToPictures();
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(contentsOf(*path), sheet.item());
    EXPECT_EQ(savedFiles().size(), 3);
    for (const QString& name : savedFiles()) {
        if (QDir(dir_.filePath("Pictures")).filePath(name) != *path) {
            EXPECT_EQ(contentsOf(QDir(dir_.filePath("Pictures")).filePath(name)), "keep me") << name.toStdString();
        }
    }
}

TEST_F(ShareSheetTest, TwoSavesInOneSecondGiveTwoFiles)
{
    platform::ShareSheet& first = present();
    const std::optional<QString> a = first.saveToPictures();
    platform::ShareSheet& second = present();
    const std::optional<QString> b = second.saveToPictures();
    ASSERT_TRUE(a && b);
    EXPECT_NE(*a, *b);
    EXPECT_EQ(savedFiles().size(), 2);
    EXPECT_EQ(platform::ShareSheet::savedFileName(QDateTime(QDate(2026, 12, 8), QTime(22, 30, 5)), 2),
              "Cellarium 2026-12-08 at 22.30.05 (2).jpg");
}

TEST_F(ShareSheetTest, ASaveThatCannotBeWrittenSaysSoAndStaysOpen)
{
    // The Pictures "folder" is a file.
    QFile blocker(dir_.filePath("Pictures"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    platform::ShareSheet& sheet = present();
    EXPECT_FALSE(sheet.saveToPictures().has_value());
    EXPECT_TRUE(isOpen());
    EXPECT_TRUE(sheet.failureText().startsWith("Not saved")) << sheet.failureText().toStdString();
}

TEST_F(ShareSheetTest, CopyPutsTheImageOnTheClipboardAndCloses)
{
    const QByteArray jpeg = samplePicture();
    platform::ShareSheet& sheet = present(jpeg);
    sheet.copyButton()->click();
    EXPECT_FALSE(isOpen());
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data("image/jpeg"), jpeg);
    EXPECT_TRUE(data->hasImage());
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(40, 30));
}

TEST_F(ShareSheetTest, OpenHandsAFileWithThePictureToTheDefaultApplication)
{
    const QByteArray jpeg = samplePicture();
    platform::ShareSheet& sheet = present(jpeg);
    sheet.openButton()->click();
    EXPECT_FALSE(isOpen());
    ASSERT_EQ(urls_->openedUrls().size(), 1);
    const QUrl url = urls_->openedUrls().first();
    ASSERT_TRUE(url.isLocalFile());
    EXPECT_EQ(contentsOf(url.toLocalFile()), jpeg);
    QFile::remove(url.toLocalFile());
}

// "Open" used to write into one /tmp/cellarium-shared for every user and never clean it.
TEST_F(ShareSheetTest, OpenCopiesIntoAPrivateFolderRemovedAtExitAndOfDayOldCopiesAtStart)
{
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    const QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther |
                                      QFile::WriteOther | QFile::ExeOther;
    for (const bool runtimeSet : {true, false}) {
        SCOPED_TRACE(runtimeSet ? "XDG_RUNTIME_DIR set" : "XDG_RUNTIME_DIR unset");
        QTemporaryDir runtime;
        const QString expected = runtime.filePath(QStringLiteral("cellarium-shared"));
        if (runtimeSet) {
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
            ASSERT_TRUE(QDir().mkpath(expected));  // left open to others: narrowed before use
            QFile::setPermissions(expected, ownerOnly | QFile::ReadOther | QFile::ExeOther);
        } else {
            qunsetenv("XDG_RUNTIME_DIR");
        }
        services_->set().with(std::make_unique<platform::SharedCopies>());  // found afresh, as at start
        const QByteArray jpeg = samplePicture();
        present(jpeg).openButton()->click();
        ASSERT_FALSE(urls_->openedUrls().isEmpty());
        const QString copy = urls_->openedUrls().last().toLocalFile();
        EXPECT_EQ(contentsOf(copy), jpeg);
        const QString folder = QFileInfo(copy).absolutePath();
        if (runtimeSet)
            EXPECT_EQ(folder, QFileInfo(expected).absoluteFilePath());
        else
            EXPECT_TRUE(QFileInfo(folder).fileName().startsWith("cellarium-shared-")) << folder.toStdString();
        EXPECT_EQ(QFileInfo(folder).permissions() & (ownerOnly | others), ownerOnly) << folder.toStdString();

        services_->set().with(std::make_unique<platform::SharedCopies>());  // as at exit
        EXPECT_FALSE(QFileInfo::exists(copy));
        EXPECT_EQ(QFileInfo::exists(folder), runtimeSet);
    }

    // At start, copies a day old go; younger ones (of an app still running) stay.
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    const QDir folder(runtime.filePath(QStringLiteral("cellarium-shared")));
    ASSERT_TRUE(folder.mkpath(QStringLiteral(".")));
    const QDateTime now = QDateTime::currentDateTime();
    for (const auto& [name, age] : {std::pair{"old.jpg", 25 * 3600}, std::pair{"young.jpg", 23 * 3600}}) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.write("copy") == 4 && file.flush());
        ASSERT_TRUE(file.setFileTime(now.addSecs(-age), QFileDevice::FileModificationTime));
    }
    platform::SharedCopies::removeCopiesOlderThan(now.addDays(-1));
    EXPECT_EQ(folder.entryList(QDir::Files), QStringList{"young.jpg"});

    services_->set().with(std::make_unique<platform::SharedCopies>());
    if (savedRuntime.isNull())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", savedRuntime);
}

TEST_F(ShareSheetTest, OpenWithNothingToOpenItSaysSoAndLeavesNoFile)
{
    services_->set().with(std::make_unique<testsupport::RecordingUrlOpener>(false));
    platform::ShareSheet& sheet = present();
    EXPECT_FALSE(sheet.openWithDefaultApplication());
    EXPECT_TRUE(isOpen());
    EXPECT_FALSE(sheet.failureText().isEmpty());
}

TEST_F(ShareSheetTest, CancelAndEscapeCloseWithoutSharing)
{
    present().cancelButton()->click();
    EXPECT_FALSE(isOpen());
    QTest::keyClick(&present(), Qt::Key_Escape);
    EXPECT_FALSE(isOpen());
    EXPECT_TRUE(savedFiles().isEmpty());
    EXPECT_TRUE(urls_->openedUrls().isEmpty());
}

TEST_F(ShareSheetTest, AnchoredItSitsBelowItsSourceOrAboveWhenBelowHasNoRoom)
{
    auto* sheet = new platform::ShareSheet(samplePicture());
    const QRect high(350, 100, 64, 64);
    sheet->anchor(high);
    window_.rootViewController()->present(sheet, false);
    QRect card(sheet->mapTo(&window_, QPoint()), sheet->size());
    EXPECT_EQ(card.top(), high.bottom() + 1);
    EXPECT_LE(qAbs(card.center().x() - high.center().x()), 1);
    sheet->dismiss(false);

    auto* low = new platform::ShareSheet(samplePicture());
    const QRect bottom(700, 950, 64, 64);  // at the right edge, near the bottom
    low->anchor(bottom);
    window_.rootViewController()->present(low, false);
    card = QRect(low->mapTo(&window_, QPoint()), low->size());
    EXPECT_EQ(card.bottom(), bottom.top() - 1);
    EXPECT_LE(card.right(), window_.width() - 1);
}

TEST_F(ShareSheetTest, TabletSizedScreensAreThoseWithAShorterSideOfSixHundredPoints)
{
    services_->set().with(std::make_unique<testsupport::FixedScreen>(QSizeF(390, 844), 1));
    EXPECT_FALSE(platform::ShareSheet::isTabletScreen());
    services_->set().with(std::make_unique<testsupport::FixedScreen>(QSizeF(1024, 768), 1));
    EXPECT_TRUE(platform::ShareSheet::isTabletScreen());
}
