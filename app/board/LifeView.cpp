#include "board/LifeView.h"

#include <QPainter>

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

void LifeView::showEdgeIn(QGraphicsView& view)
{
    const QColor board = view.palette().color(QPalette::Base);
    setBoardColor(board);
    view.setBackgroundBrush(outsideShade(board));
}

void LifeView::setBoardColor(const QColor& color)
{
    boardColor_ = color;
    setFlag(ItemHasNoContents, !color.isValid());
    update();
}

QColor LifeView::outsideShade(const QColor& board)
{
    if (board.lightness() >= 48)
        return board.darker(125);
    const double toGrey = 0.18;
    auto mix = [toGrey](int channel) { return int(channel * (1 - toGrey) + 128 * toGrey); };
    return QColor(mix(board.red()), mix(board.green()), mix(board.blue()));
}

void LifeView::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    if (boardColor_.isValid())
        painter->fillRect(boundingRect(), boardColor_);
}
