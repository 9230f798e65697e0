#include "QRImageView.h"

#include <QPainter>

QRImageView::QRImageView(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void QRImageView::setImage(const QImage& image)
{
    image_ = image;
    update();
}

QRectF QRImageView::imageRect() const
{
    if (image_.isNull())
        return {};
    const QSizeF size = image_.deviceIndependentSize().scaled(QSizeF(this->size()), Qt::KeepAspectRatio);
    return {(width() - size.width()) / 2, (height() - size.height()) / 2, size.width(), size.height()};
}

void QRImageView::paintEvent(QPaintEvent*)
{
    if (image_.isNull())
        return;
    QPainter painter(this);
    const QRectF target = imageRect();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, target.width() < image_.width());
    painter.drawImage(target, image_);
}
