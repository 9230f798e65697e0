#include "qr/QRCodeViewController.h"

#include "cues/FeedbackCues.h"
#include "qr/QRCodeImage.h"
#include "qr/QRCodeMessage.h"
#include "ui_QRCodeViewController.h"

#include "model/PatternCoding.h"

#include "platform/NoticeLine.h"
#include "platform/ShareSheet.h"
#include "platform/SymbolButton.h"
#include "platform/SystemSymbol.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QPointer>

namespace {
constexpr qreal shareIconSide = 40;
}  // namespace

QRCodeViewController::QRCodeViewController(QWidget* parent) : SheetScreen([] { feedbackcues::click(); }, parent)
{
    setObjectName(QStringLiteral("QRCodeViewController"));
}

QRCodeViewController::~QRCodeViewController() = default;

void QRCodeViewController::setLifes(const cellarium::LifeSet& lifes, std::int64_t rows)
{
    data_ = cellarium::encodePattern(lifes);
    rows_ = rows;
}

platform::ImageView* QRCodeViewController::imageView() const
{
    return ui_ ? ui_->imageView : nullptr;
}

QToolButton* QRCodeViewController::shareButton() const
{
    return ui_ ? ui_->shareButton : nullptr;
}

QToolButton* QRCodeViewController::closeButton() const
{
    return ui_ ? ui_->closeButton : nullptr;
}

platform::NoticeLine* QRCodeViewController::noticeLine() const
{
    return ui_ ? ui_->noticeLine : nullptr;
}

void QRCodeViewController::viewDidLoad()
{
    ui_ = std::make_unique<Ui::QRCodeViewController>();
    ui_->setupUi(this);
    ui_->imageView->setScaling(platform::ImageView::Scaling::SharpEnlarged);
    setUpCloseButton(*ui_->closeButton);
    ui_->shareButton->setAccessibleName(tr("Share"));
    ui_->shareButton->setToolTip(tr("Share"));
    setShareButtonSymbol(shareSymbol);
    ui_->imageView->setAccessibleName(data_ ? tr("QR code") : tr("Board picture"));
    connect(ui_->shareButton, &QToolButton::clicked, this, [this] { shareImage(ui_->shareButton); });

    if (data_) {
        const std::optional<std::string> message = qrCodeMessage(*data_, rows_);
        const QImage code = message ? qrCodeImage(*message, moduleSize) : QImage();
        // No code holds the pattern (the encoder fails only for a message too long
        // for the largest symbol): nothing to share, and the screen says why.
        if (code.isNull())
            ui_->shareButton->setEnabled(false);
        QPointer<QRCodeViewController> self(this);
        QMetaObject::invokeMethod(
            this,
            [self, code] {
                if (!self)
                    return;
                if (!code.isNull()) {
                    self->ui_->imageView->setImage(code);
                    return;
                }
                // On the next turn, as the code would come: the screen is on show, for the announcement.
                feedbackcues::refused();
                self->ui_->noticeLine->say(tr("Too large for a QR code"));
            },
            Qt::QueuedConnection);
    }
    if (!savedImage_.isNull())
        ui_->imageView->setImage(savedImage_);
}

QByteArray QRCodeViewController::jpegData(const QImage& image, const QColor& background)
{
    if (image.isNull())
        return {};
    // JPEG has no alpha: without a background, transparent parts (all of a board
    // picture but its cells) would come out black.
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(background);
    {
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "JPEG");
    writer.setQuality(100);
    if (!writer.write(opaque))
        return {};
    return bytes;
}

void QRCodeViewController::shareImage(QObject*)
{
    const QByteArray jpeg = jpegData(ui_->imageView->image(), palette().color(QPalette::Window));
    feedbackcues::click();
    if (jpeg.isEmpty()) {
        setShareButtonSymbol(nothingToShareSymbol);
        return;
    }
    auto* sheet = new platform::ShareSheet(jpeg);
    if (!data_ && animationMaker_)
        sheet->setAnimationMaker(animationMaker_);
    if (platform::ShareSheet::isTabletScreen())
        sheet->anchor(QRect(ui_->shareButton->mapTo(window(), QPoint(0, 0)), ui_->shareButton->size()));
    present(sheet, true);
}

void QRCodeViewController::setShareButtonSymbol(const char* name)
{
    shareButtonSymbol_ = QString::fromLatin1(name);
    ui_->shareButton->setIcon(QIcon(QPixmap::fromImage(platform::systemImage(shareButtonSymbol_, shareIconSide))));
}
