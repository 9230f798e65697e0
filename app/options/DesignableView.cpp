#include "DesignableView.h"

#include <QPainter>

DesignableView::DesignableView(QWidget* parent) : QWidget(parent) {}

void DesignableView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    border_.layer().paint(painter, rect());
}
