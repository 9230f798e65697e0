#include "BoardDrawing.h"

#include "BoardLayer.h"
#include "CellLayer.h"
#include "GridLayer.h"
#include "LifeView.h"

#include <QPainter>
#include <QPainterPath>

void redrawBoard(LifeView& view, const BoardDrawingInputs& in, bool cells, bool grid)
{
    QList<QGraphicsItem*> layers = view.childItems();
    for (QGraphicsItem* item : layers) {
        if (item->type() != BoardLayer::Type) {
            layers.clear();
            break;
        }
    }
    const bool reusable = layers.size() == 2;

    QGraphicsItem* gridLayer = nullptr;
    if (reusable && !grid) {
        gridLayer = layers[0];
    } else if (in.separateLineAlphe <= 0.01) {
        return;  // the grid keeps the opacity it was last drawn with
    } else {
        QColor stroke = in.labelColor;
        stroke.setAlphaF(static_cast<float>(std::clamp(in.separateLineAlphe, 0.0, 1.0)));
        gridLayer = new GridLayer(in.rows, in.lifeWidth, in.contentWidth, in.onePixel, stroke);
    }

    QGraphicsItem* cellLayer = reusable && !cells ? layers[1] : new CellLayer(in.lifes, in.rows, in.lifeWidth, in.labelColor);

    for (QGraphicsItem* item : view.childItems()) {
        if (item != gridLayer && item != cellLayer)
            delete item;
    }
    gridLayer->setParentItem(&view);
    cellLayer->setParentItem(&view);
    gridLayer->setZValue(0);
    cellLayer->setZValue(1);
}

void drawSnapshot(QPainter& painter, const cellarium::LifeSet& lifes, double side, double contentWidth,
                  double lifeWidth, const QColor& color)
{
    const double f = side / contentWidth;
    const double cell = f * lifeWidth;
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    lifes.forEachPlaced([&](std::int64_t x, std::int64_t y) {
        const double left = cell * static_cast<double>(x);
        const double top = cell * static_cast<double>(y);
        if (left + cell > 0 && top + cell > 0 && left < side && top < side)  // the rest is clipped anyway
            path.addRect(left, top, cell, cell);
    });
    painter.fillPath(path, color);
}
