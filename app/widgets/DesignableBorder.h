#pragma once

#include "widgets/LayerBorder.h"

#include <QColor>

class QPainter;
class QWidget;

// The borderWidth and borderColor that the interface files set on a designable
// control, and the layer border they drive: a control inherits this next to its
// widget class and declares the two properties with these accessors. The
// properties start at no width and white; the layer keeps its own defaults (no
// border, black) until one is set. Every change repaints the control.
class DesignableBorder {
public:
    double borderWidth() const { return width_; }
    void setBorderWidth(double width);
    QColor borderColor() const { return color_; }
    void setBorderColor(const QColor& color);

    const LayerBorder& layerBorder() const { return layer_; }

protected:
    // `control` is the widget that inherits this border; it outlives it.
    explicit DesignableBorder(QWidget& control) : control_(control) {}
    // Over whatever the control drew, on its whole rectangle.
    void paintBorder(QPainter& painter) const;

private:
    QWidget& control_;
    double width_ = 0;
    QColor color_ = Qt::white;
    LayerBorder layer_;
};
