#include "board/LifeView.h"

LifeView::LifeView(QGraphicsItem* parent)
    : QGraphicsObject(parent)
{
    setFlag(ItemHasNoContents);
}

void LifeView::setContentSide(qreal side)
{
    if (side == side_)
        return;
    prepareGeometryChange();
    side_ = side;
}

QRectF LifeView::boundingRect() const
{
    return {0, 0, side_, side_};
}

void LifeView::paint(QPainter*, const QStyleOptionGraphicsItem*, QWidget*) {}
