#include "DesignableImageView.h"

#include <QPainter>

DesignableImageView::DesignableImageView(QWidget* parent) : DesignableImageView(QImage(), QImage(), parent) {}

DesignableImageView::DesignableImageView(const QImage& image, QWidget* parent)
    : DesignableImageView(image, QImage(), parent)
{
}

DesignableImageView::DesignableImageView(const QImage& image, const QImage& highlightedImage, QWidget* parent)
    : QWidget(parent), DesignableBorder(static_cast<QWidget&>(*this)), image_(image), highlightedImage_(highlightedImage)
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
    paintBorder(painter);
}
