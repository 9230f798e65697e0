#include "ScannerFixture.h"

#include "BackgroundWork.h"
#include "FixedScreen.h"

#include <QCoreApplication>
#include <QToolButton>

void ScannerFixture::SetUp()
{
    platform::Services set;
    feedback_ = &testsupport::recordFeedback(set);
    platform::ViewController::setAnimationsEnabled(false);
    auto camera = std::make_unique<testsupport::FakeCameraAccess>();
    camera_ = camera.get();
    auto picker = std::make_unique<testsupport::PendingPhotoPicker>();
    picker_ = picker.get();
    set.with(std::make_unique<testsupport::FixedScreen>(QSizeF(390, 844), 2)).with(std::move(camera)).with(std::move(picker));
    services_.emplace(std::move(set));
    window_.resize(390, 844);
    window_.setRootViewController(new platform::ViewController);
    window_.show();
}

void ScannerFixture::TearDown()
{
    testsupport::finishBackgroundWork();
    if (auto* shown = scanner())
        delete shown;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    services_.reset();
}

void ScannerFixture::present(ScanQRCodeViewController* screen)
{
    screen->setDismissClosure([this](const cellarium::PlacedPattern& pattern) { handedOver_.push_back(pattern.lifes); });
    window_.rootViewController()->present(screen, false);
    feedback_->clear();
}

ScanQRCodeViewController* ScannerFixture::scanner() const
{
    return qobject_cast<ScanQRCodeViewController*>(window_.rootViewController()->presentedViewController());
}

QString ScannerFixture::savePhoto(const QImage& image, const char* format, int quality)
{
    const QString path =
        dir_.filePath(QStringLiteral("photo%1.%2").arg(++photos_).arg(QString::fromLatin1(format).toLower()));
    EXPECT_TRUE(image.save(path, format, quality)) << path.toStdString();
    return path;
}

void ScannerFixture::pickPhoto(ScanQRCodeViewController& screen, const QString& path)
{
    screen.photoButton()->click();
    ASSERT_TRUE(picker_->isOpen());
    picker_->answer(path);
    testsupport::finishBackgroundWork();
}

void ScannerFixture::pickPhoto(ScanQRCodeViewController& screen, const QImage& image, const char* format, int quality)
{
    pickPhoto(screen, savePhoto(image, format, quality));
}
