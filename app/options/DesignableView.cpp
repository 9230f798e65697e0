#include "DesignableView.h"

#include <QPainter>

DesignableView::DesignableView(QWidget* parent) : QWidget(parent) {}

void DesignableView::setBorderWidth(double width)
{
    borderWidth_ = width;
    layer_.width = width;
    update();
}

void DesignableView::setBorderColor(const QColor& color)
{
    borderColor_ = color;
    layer_.color = color;
    update();
}

void DesignableView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    layer_.paint(painter, rect());
}
