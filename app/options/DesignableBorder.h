#pragma once

#include "LayerBorder.h"

#include <QColor>

// The borderWidth and borderColor that the interface files set on a designable
// control, and the layer border they drive. The properties start at no width and
// white; the layer keeps its own defaults (no border, black) until one is set.
class DesignableBorder {
public:
    double width() const { return width_; }
    QColor color() const { return color_; }
    const LayerBorder& layer() const { return layer_; }

    void setWidth(double width)
    {
        width_ = width;
        layer_.width = width;
    }
    void setColor(const QColor& color)
    {
        color_ = color;
        layer_.color = color;
    }

private:
    double width_ = 0;
    QColor color_ = Qt::white;
    LayerBorder layer_;
};
