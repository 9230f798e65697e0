#include "widgets/DesignableButton.h"

#include <QPainter>

DesignableButton::DesignableButton(QWidget* parent) : QToolButton(parent), DesignableBorder(static_cast<QWidget&>(*this)) {}

void DesignableButton::paintEvent(QPaintEvent* event)
{
    QToolButton::paintEvent(event);
    QPainter painter(this);
    paintBorder(painter);
}
