#pragma once

#include "BoardLayer.h"

#include <QColor>
#include <QPainterPath>

#include <cstdint>
#include <vector>

// The grid: rows + 1 horizontal and rows + 1 vertical lines across the board, in
// one colour whose alpha is the grid's opacity. Immutable: a new opacity or board
// size means a new layer. Paints only the lines in the exposed area.
class GridLayer : public BoardLayer {
public:
    GridLayer(std::int64_t rows, double lifeWidth, double contentWidth, double lineWidth, const QColor& color);

    Kind kind() const override { return Kind::Grid; }
    QColor color() const { return color_; }
    double lineWidth() const { return lineWidth_; }

    // Every grid line as a subpath, in the order they are added: from both outer
    // edges inwards, horizontal before vertical.
    QPainterPath path() const;

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    std::vector<double> offsets_;  // in path order
    std::vector<double> sorted_;   // the same, ascending, for painting a part
    double contentWidth_;
    double lineWidth_;
    QColor color_;
};
