#include "BoardDrawing.h"

#include "BoardGeometry.h"
#include "CellLayer.h"
#include "GridLayer.h"
#include "LifeView.h"

#include <QPainter>
#include <QPainterPath>

#include "platform/SystemSymbol.h"

namespace {

// The view's grid and cell layers, when it holds exactly one of each and nothing else.
struct Layers {
    QGraphicsItem* grid = nullptr;
    QGraphicsItem* cells = nullptr;
};

Layers reusableLayers(const LifeView& view)
{
    Layers found;
    const QList<QGraphicsItem*> children = view.childItems();
    if (children.size() != 2)
        return {};
    for (QGraphicsItem* item : children) {
        if (item->type() == GridLayer::Type)
            found.grid = item;
        else if (item->type() == CellLayer::Type)
            found.cells = item;
    }
    return found.grid && found.cells ? found : Layers{};
}

}  // namespace

void redrawBoard(LifeView& view, const BoardDrawingInputs& in, bool cells, bool grid)
{
    const Layers layers = reusableLayers(view);

    QGraphicsItem* gridLayer = nullptr;
    if (layers.grid && !grid) {
        gridLayer = layers.grid;
    } else if (in.separateLineAlphe <= 0.01) {
        return;  // the grid keeps the opacity it was last drawn with
    } else {
        QColor stroke = in.labelColor;
        stroke.setAlphaF(static_cast<float>(std::clamp(in.separateLineAlphe, 0.0, 1.0)));
        gridLayer = new GridLayer(in.rows, in.lifeWidth, in.contentWidth, in.onePixel, stroke);
    }

    QGraphicsItem* cellLayer =
        layers.cells && !cells ? layers.cells : new CellLayer(in.lifes, in.rows, in.lifeWidth, in.labelColor);

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

void redrawBoard(LifeView& view, const cellarium::LifeSet& lifes, double separateLineAlphe, bool cells, bool grid)
{
    const cellarium::BoardGeometry& g = cellarium::boardGeometry();
    redrawBoard(view, {lifes, g.countOfRows(), g.lifeWidth(), g.contentWidth(), g.onePixel(), separateLineAlphe,
                       platform::labelColor()},
                cells, grid);
}

void drawBoardSnapshot(QPainter& painter, const cellarium::LifeSet& lifes, double side)
{
    const cellarium::BoardGeometry& g = cellarium::boardGeometry();
    drawSnapshot(painter, lifes, side, g.contentWidth(), g.lifeWidth(), platform::labelColor());
}
