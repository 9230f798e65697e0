#pragma once

#include <QColor>
#include <QGraphicsObject>
#include <QGraphicsView>

// The board view: the zoomed content of the board's scroll view, a square of
// contentWidth points whose children are the board's layers (the grid, then the
// cells). It fills its square in the board's colour, once given one, so that the
// scroll view's background, a darker shade, shows where the board ends (where
// gliders vanish); the board screen builds and replaces its layers,
// and a generation changes the cell layer in place (showGeneration).
class LifeView : public QGraphicsObject {
    Q_OBJECT

public:
    explicit LifeView(QGraphicsItem* parent = nullptr);

    // Side of the view in points; stands in for the width and height constraints.
    qreal contentSide() const { return side_; }
    void setContentSide(qreal side);

    // The board's own colour under the layers; none (the default) paints nothing.
    void setBoardColor(const QColor& color);
    // What lies outside the board: darker than `board`, or for a board too dark to
    // darken visibly, a step towards grey.
    static QColor outsideShade(const QColor& board);
    // The board in `view`'s base colour over outsideShade of it, so that its edge shows.
    void showEdgeIn(QGraphicsView& view);

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    qreal side_ = 0;
    QColor boardColor_;
};
