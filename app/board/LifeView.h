#pragma once

#include <QGraphicsObject>

// The board view: the zoomed content of the board's scroll view, a square of
// contentWidth points whose children are the board's layers (the grid, then the
// cells). It draws nothing itself; the board screen builds and replaces its layers,
// and a generation changes the cell layer in place (showGeneration).
class LifeView : public QGraphicsObject {
    Q_OBJECT

public:
    explicit LifeView(QGraphicsItem* parent = nullptr);

    // Side of the view in points; stands in for the width and height constraints.
    qreal contentSide() const { return side_; }
    void setContentSide(qreal side);

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    qreal side_ = 0;
};
