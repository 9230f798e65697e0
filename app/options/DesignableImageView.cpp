#include "DesignableImageView.h"

#include <QPainter>

DesignableImageView::DesignableImageView(QWidget* parent) : QWidget(parent) {}

DesignableImageView::DesignableImageView(const QImage& image, QWidget* parent) : QWidget(parent), image_(image) {}

DesignableImageView::DesignableImageView(const QImage& image, const QImage& highlightedImage, QWidget* parent)
    : QWidget(parent), image_(image), highlightedImage_(highlightedImage)
{
}

void DesignableImageView::setImage(const QImage& image)
{
    image_ = image;
    update();
}

void DesignableImageView::setHighlightedImage(const QImage& image)
{
    highlightedImage_ = image;
    update();
}

void DesignableImageView::setBorderWidth(double width)
{
    borderWidth_ = width;
    layer_.width = width;
    update();
}

void DesignableImageView::setBorderColor(const QColor& color)
{
    borderColor_ = color;
    layer_.color = color;
    update();
}

QRectF DesignableImageView::imageRect() const
{
    if (image_.isNull())
        return {};
    QSizeF size = image_.deviceIndependentSize();
    size.scale(QSizeF(this->size()), Qt::KeepAspectRatio);
    return {QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size};
}

void DesignableImageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!image_.isNull())
        painter.drawImage(imageRect(), image_);
    layer_.paint(painter, rect());
}
