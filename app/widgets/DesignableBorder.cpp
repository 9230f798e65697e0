#include "widgets/DesignableBorder.h"

#include <QPainter>
#include <QWidget>

void DesignableBorder::setBorderWidth(double width)
{
    width_ = width;
    layer_.width = width;
    control_.update();
}

void DesignableBorder::setBorderColor(const QColor& color)
{
    color_ = color;
    layer_.color = color;
    control_.update();
}

void DesignableBorder::paintBorder(QPainter& painter) const
{
    layer_.paint(painter, control_.rect());
}
