#include "widgets/DesignableImageView.h"

#include <QPainter>

DesignableImageView::DesignableImageView(QWidget* parent) : DesignableImageView(QImage(), QImage(), parent) {}

DesignableImageView::DesignableImageView(const QImage& image, QWidget* parent)
    : DesignableImageView(image, QImage(), parent)
{
}

DesignableImageView::DesignableImageView(const QImage& image, const QImage& highlightedImage, QWidget* parent)
    : ImageView(parent), DesignableBorder(static_cast<QWidget&>(*this)), highlightedImage_(highlightedImage)
{
    setImage(image);
}

void DesignableImageView::setHighlightedImage(const QImage& image)
{
    highlightedImage_ = image;
    update();
}

void DesignableImageView::paintEvent(QPaintEvent* event)
{
    ImageView::paintEvent(event);
    QPainter painter(this);
    paintBorder(painter);
}
