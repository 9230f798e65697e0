#include "platform/ImageView.h"

#include <QPainter>

#include <algorithm>

namespace platform {

ImageView::ImageView(QWidget* parent) : QWidget(parent) {}

void ImageView::setScaling(Scaling scaling)
{
    scaling_ = scaling;
    update();
}

void ImageView::setImage(const QImage& image)
{
    image_ = image;
    update();
}

QRectF ImageView::imageRect() const
{
    if (image_.isNull())
        return {};
    const QSizeF points = image_.deviceIndependentSize();
    qreal fit = std::min(width() / points.width(), height() / points.height());
    if (scaling_ == Scaling::ShrinkOnly)
        fit = std::min(fit, 1.0);
    const QSizeF shown = points * fit;
    return {QPointF((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown};
}

void ImageView::paintEvent(QPaintEvent*)
{
    if (image_.isNull())
        return;
    QPainter painter(this);
    const QRectF target = imageRect();
    const bool smooth = scaling_ == Scaling::Smooth ||
                        (scaling_ == Scaling::SharpEnlarged && target.width() < image_.width());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    painter.drawImage(target, image_);
}

}  // namespace platform
