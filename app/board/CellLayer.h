#pragma once

#include "model/LifeSet.h"

#include <QColor>
#include <QGraphicsItem>
#include <QImage>

#include <cstdint>
#include <vector>

// The live cells, each a filled square of lifeWidth at (x·lifeWidth, y·lifeWidth).
// A generation changes the layer in place (advanceTo); any other change of the
// pattern, the board or the colour means a new layer.
//
// The cells of the step window and a tile around it are painted from an image
// with one pixel per cell, each device pixel taking the cell under its centre, so
// a repaint costs the same for ten cells as for a full 760 board and a repaint of
// a few pieces paints them as a full one would. Cells farther out are kept but not
// painted: no view of the board reaches them.
class CellLayer : public QGraphicsItem {
public:
    enum { Type = UserType + 0x4c43 };
    int type() const override { return Type; }

    CellLayer(cellarium::LifeSet lifes, std::int64_t rows, double lifeWidth, const QColor& color);

    const cellarium::LifeSet& lifes() const { return lifes_; }
    QColor color() const { return color_; }
    // Whether the layer draws a board of `rows` with these cells' width and colour.
    bool drawsBoard(std::int64_t rows, double lifeWidth, const QColor& color) const
    {
        return rows == rows_ && lifeWidth == lifeWidth_ && color == color_;
    }

    // Takes `next` as the cells, patching the painted image where cells flipped.
    // Returns the painted squares that flipped, as horizontal runs in item
    // coordinates, and schedules no repaint: the caller updates those areas.
    std::vector<QRectF> advanceTo(cellarium::LifeSet next);

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    // The painted region in cells, tile-aligned: [first, first + side) in both coordinates.
    std::int64_t firstCell() const { return firstCell_; }
    std::int64_t sideInCells() const { return side_; }

private:
    const QImage& image();

    cellarium::LifeSet lifes_;
    std::int64_t rows_;
    double lifeWidth_;
    QColor color_;
    std::int64_t firstCell_;
    std::int64_t side_;
    QImage image_;  // built on first paint
};
