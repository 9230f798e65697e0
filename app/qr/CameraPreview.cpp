#include "qr/CameraPreview.h"

#include <QPainter>

CameraPreview::CameraPreview(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setObjectName(QStringLiteral("previewLayer"));
}

void CameraPreview::setFrame(const QImage& frame)
{
    frame_ = frame;
    update();
}

QRectF CameraPreview::aspectFillRect(const QSizeF& frameSize, const QSizeF& bounds)
{
    if (frameSize.isEmpty())
        return {};
    const QSizeF size = frameSize.scaled(bounds, Qt::KeepAspectRatioByExpanding);
    return {(bounds.width() - size.width()) / 2, (bounds.height() - size.height()) / 2, size.width(), size.height()};
}

QRect CameraPreview::frameRectShownAt(const QRectF& area, const QSizeF& frameSize, const QSizeF& bounds)
{
    const QRectF shown = aspectFillRect(frameSize, bounds);
    if (shown.isEmpty())
        return {};
    const qreal scale = frameSize.width() / shown.width();
    const QRectF inFrame((area.left() - shown.left()) * scale, (area.top() - shown.top()) * scale, area.width() * scale,
                         area.height() * scale);
    return inFrame.toAlignedRect().intersected(QRect(QPoint(0, 0), frameSize.toSize()));
}

void CameraPreview::paintEvent(QPaintEvent*)
{
    if (frame_.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(aspectFillRect(frame_.size(), size()), frame_);
}
