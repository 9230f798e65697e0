#include "DesignableButton.h"

#include <QPainter>

DesignableButton::DesignableButton(QWidget* parent) : QToolButton(parent) {}

void DesignableButton::paintEvent(QPaintEvent* event)
{
    QToolButton::paintEvent(event);
    QPainter painter(this);
    border_.layer().paint(painter, rect());
}
