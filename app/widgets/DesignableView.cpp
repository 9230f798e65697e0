#include "widgets/DesignableView.h"

#include <QPainter>

DesignableView::DesignableView(QWidget* parent) : QWidget(parent), DesignableBorder(static_cast<QWidget&>(*this)) {}

void DesignableView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintBorder(painter);
}
