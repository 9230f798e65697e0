#include "ArchiveThumbnailView.h"

#include <QPainter>

ArchiveThumbnailView::ArchiveThumbnailView(QWidget* parent) : QWidget(parent) {}

void ArchiveThumbnailView::setImage(const QImage& image)
{
    image_ = image;
    update();
}

void ArchiveThumbnailView::paintEvent(QPaintEvent*)
{
    if (image_.isNull())
        return;
    QPainter painter(this);
    const QSizeF points = image_.deviceIndependentSize();
    const qreal fit = std::min({1.0, width() / points.width(), height() / points.height()});
    const QSizeF shown = points * fit;
    const QRectF target(QPointF((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
    painter.drawImage(target, image_);
}
