#include "DesignableButton.h"

#include <QPainter>

DesignableButton::DesignableButton(QWidget* parent) : QToolButton(parent) {}

void DesignableButton::setBorderWidth(double width)
{
    borderWidth_ = width;
    layer_.width = width;
    update();
}

void DesignableButton::setBorderColor(const QColor& color)
{
    borderColor_ = color;
    layer_.color = color;
    update();
}

void DesignableButton::paintEvent(QPaintEvent* event)
{
    QToolButton::paintEvent(event);
    QPainter painter(this);
    layer_.paint(painter, rect());
}
