#include "qr/ScanQRCodeViewController.h"

#include "cues/FeedbackCues.h"
#include "qr/CameraPreview.h"
#include "qr/PickedImage.h"
#include "qr/QRCodeReader.h"
#include "qr/ScanOverlay.h"
#include "ui_ScanQRCodeViewController.h"

#include "model/BoardGeometry.h"
#include "model/PatternText.h"

#include "platform/CaptureSession.h"
#include "platform/Haptics.h"
#include "platform/NoticeLine.h"
#include "platform/PhotoPicker.h"
#include "platform/SymbolButton.h"
#include "platform/SystemSymbol.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QStringEncoder>
#include <QVideoFrame>

namespace {
constexpr qreal photoIconSide = 40;
}  // namespace

ScanQRCodeViewController::ScanQRCodeViewController(QWidget* parent) : SheetScreen([] { feedbackcues::click(); }, parent)
{
    setObjectName(QStringLiteral("ScanQRCodeViewController"));
    setModalPresentationStyle(platform::PresentationStyle::FullScreen);
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            &ScanQRCodeViewController::applicationStateDidChange);
}

ScanQRCodeViewController::~ScanQRCodeViewController() = default;

QRectF ScanQRCodeViewController::scanWindow(const QSizeF& bounds)
{
    return {(bounds.width() - scanWindowSide) / 2, (bounds.height() - scanWindowSide) / 2 - scanWindowLift,
            scanWindowSide, scanWindowSide};
}

CameraPreview* ScanQRCodeViewController::previewLayer() const
{
    return previewLayer_;
}

ScanOverlay* ScanQRCodeViewController::visualView() const
{
    return ui_ ? ui_->visualView : nullptr;
}

QToolButton* ScanQRCodeViewController::closeButton() const
{
    return ui_ ? ui_->closeButton : nullptr;
}

QToolButton* ScanQRCodeViewController::photoButton() const
{
    return ui_ ? ui_->photoButton : nullptr;
}

platform::NoticeLine* ScanQRCodeViewController::noticeLine() const
{
    return ui_ ? ui_->noticeLine : nullptr;
}

void ScanQRCodeViewController::viewDidLoad()
{
    ui_ = std::make_unique<Ui::ScanQRCodeViewController>();
    ui_->setupUi(this);
    ui_->visualView->setAccessibleName(tr("Scan window"));
    setUpCloseButton(*ui_->closeButton);
    platform::setUpSymbolButton(*ui_->photoButton, QStringLiteral("photo.on.rectangle"), photoIconSide, tr("Photo"));
    connect(ui_->photoButton, &QToolButton::clicked, this, [this] { pickUpQRCode(ui_->photoButton); });
}

void ScanQRCodeViewController::viewWillAppear(bool animated)
{
    ViewController::viewWillAppear(animated);
    onScreen_ = true;
    found_ = false;
    ui_->noticeLine->clear();
    layOutScanWindow();
    // One preview and one session at a time: an earlier appearance's go first.
    dropCamera();
    setUpCamera();
    updateCameraRunning();
}

void ScanQRCodeViewController::viewDidAppear(bool animated)
{
    ViewController::viewDidAppear(animated);
    ui_->photoButton->setFocus(Qt::OtherFocusReason);
}

void ScanQRCodeViewController::viewWillDisappear(bool animated)
{
    SheetScreen::viewWillDisappear(animated);
    onScreen_ = false;
    updateCameraRunning();
}

void ScanQRCodeViewController::viewDidLayoutSubviews()
{
    if (onScreen_)
        layOutScanWindow();
}

void ScanQRCodeViewController::layOutScanWindow()
{
    const QRectF bounds(QPointF(0, 0), QSizeF(size()));
    scanWindow_ = scanWindow(bounds.size());
    ui_->visualView->setScanWindow(bounds, scanWindow_);
}

void ScanQRCodeViewController::setUpCamera()
{
    captureSession_ = platform::services().cameraAccess().makeSession();
    if (!captureSession_)
        return;
    auto* preview = new CameraPreview(this);
    static_cast<QGridLayout*>(layout())->addWidget(preview, 0, 0);
    preview->lower();  // beneath everything else, the overlay included
    previewLayer_ = preview;
    connect(captureSession_.get(), &platform::CaptureSession::frameArrived, this,
            &ScanQRCodeViewController::captureOutput);
    // A camera that fails while running leaves the overlay and the photo path.
    connect(captureSession_.get(), &platform::CaptureSession::failed, this, [this] { dropCamera(); },
            Qt::QueuedConnection);
}

void ScanQRCodeViewController::dropCamera()
{
    if (previewLayer_)
        delete previewLayer_.data();
    captureSession_.reset();
}

void ScanQRCodeViewController::applicationStateDidChange(Qt::ApplicationState state)
{
    appActive_ = state == Qt::ApplicationActive;
    updateCameraRunning();
}

void ScanQRCodeViewController::updateCameraRunning()
{
    if (!captureSession_)
        return;
    if (onScreen_ && appActive_ && !picking_ && !readingPhoto_ && !found_ && !presentedViewController()) {
        captureSession_->startRunning();
    } else {
        captureSession_->stopRunning();
        if (!readingPhoto_)
            detection_.dropWaiting();  // a frame's reading; a picked photo's still counts
    }
}

void ScanQRCodeViewController::captureOutput(const QVideoFrame& frame)
{
    if (!captureSession_ || !captureSession_->isRunning() || found_)
        return;
    const QImage image = frame.toImage();
    if (image.isNull())
        return;
    if (previewLayer_)
        previewLayer_->setFrame(image);
    const QRect shown = CameraPreview::frameRectShownAt(scanWindow_, QSizeF(image.size()), QSizeF(size()));
    if (shown.isEmpty())
        return;
    detection_.read([part = image.copy(shown)] { return readQRCodes(part); },
                    [this](const QRCodeDetection::Codes& codes) { frameRead(codes); });
}

void ScanQRCodeViewController::frameRead(const QRCodeDetection::Codes& codes)
{
    // The camera may have stopped while the frame was read: a photo is being
    // picked, the screen went away, or the app is inactive.
    if (!captureSession_ || !captureSession_->isRunning() || found_)
        return;
    if (!codes.empty())
        didOutputCodes(codes);
}

void ScanQRCodeViewController::didOutputCodes(const std::vector<std::optional<std::string>>& codes)
{
    found_ = true;
    updateCameraRunning();
    if (codes.empty()) {
        dismiss(true);
        return;
    }
    if (!codes.front())
        return;  // a code without text: stays open, the camera stopped
    platform::services().haptics().impact(platform::ImpactStyle::Heavy);
    feedbackcues::click();
    if (!handleScannedText(QString::fromStdString(*codes.front())))
        dismiss(true);
}

void ScanQRCodeViewController::pickUpQRCode(QObject*)
{
    feedbackcues::click();
    ui_->noticeLine->clear();
    picking_ = true;
    updateCameraRunning();
    QPointer<ScanQRCodeViewController> self(this);
    platform::services().photoPicker().pickImage(this, [self](std::optional<QString> path) {
        if (self)
            self->didFinishPicking(path);
    });
}

void ScanQRCodeViewController::didFinishPicking(const std::optional<QString>& path)
{
    picking_ = false;
    if (!path) {
        updateCameraRunning();
        return;
    }
    // Until this photo has been read, the camera waits and a second pick could
    // not be told apart from it.
    readingPhoto_ = true;
    updateCameraRunning();
    ui_->photoButton->setEnabled(false);
    detection_.read([file = *path] { return readQRCodes(loadPickedImage(file)); },
                    [this](const QRCodeDetection::Codes& codes) { photoRead(codes); });
}

void ScanQRCodeViewController::photoRead(const QRCodeDetection::Codes& codes)
{
    readingPhoto_ = false;
    ui_->photoButton->setEnabled(true);
    if (!onScreen_)
        return;  // closed while the photo was read
    QString text;
    for (const std::optional<std::string>& code : codes) {
        if (code && !code->empty())
            text += QString::fromStdString(*code);
    }
    if (handleScannedText(text))
        return;
    feedbackcues::refused();
    ui_->noticeLine->say(tr("No pattern in this picture"));
    updateCameraRunning();
}

bool ScanQRCodeViewController::handleScannedText(const QString& text)
{
    QStringEncoder toUtf8(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
    const QByteArray bytes = toUtf8(text);
    if (toUtf8.hasError())
        return false;
    const std::int64_t rows = boardRows_;
    cellarium::PatternReading reading =
        cellarium::readPatternTextForBoard(std::string_view(bytes.constData(), size_t(bytes.size())), rows);
    if (!reading)
        return false;
    // The cells with the board they were placed for: a 760 board's code read here may
    // need the board to grow, and only that board says where it lies. The board fits
    // it (or refuses it) on loading.
    cellarium::PlacedPattern pattern(std::move(*reading.lifes), reading.rows);
    found_ = true;
    updateCameraRunning();
    QPointer<ScanQRCodeViewController> self(this);
    closeHandingBack([self, pattern = std::move(pattern)] {
        if (self)
            self->handOver(pattern);
    });
    return true;
}

void ScanQRCodeViewController::handOver(const cellarium::PlacedPattern& pattern)
{
    if (dismissClosure_)
        dismissClosure_(pattern);
}
