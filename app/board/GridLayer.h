#pragma once

#include <QColor>
#include <QGraphicsItem>
#include <QPainterPath>

#include <cstdint>
#include <vector>

// The grid: rows + 1 horizontal and rows + 1 vertical lines across the board, in
// one colour whose alpha is the grid's opacity. Immutable: a new opacity or board
// size means a new layer. Paints only the lines in the exposed area.
class GridLayer : public QGraphicsItem {
public:
    enum { Type = UserType + 0x4c47 };
    int type() const override { return Type; }

    GridLayer(std::int64_t rows, double lifeWidth, double contentWidth, double lineWidth, const QColor& color);

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
