#pragma once

#include <QGraphicsItem>

// A layer of the board view. Only these belong there; any other child item is
// removed by the next redraw.
class BoardLayer : public QGraphicsItem {
public:
    enum { Type = UserType + 0x4c49 };
    int type() const override { return Type; }

    enum class Kind { Grid, Cells };
    virtual Kind kind() const = 0;

protected:
    using QGraphicsItem::QGraphicsItem;
};
