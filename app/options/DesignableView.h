#pragma once

#include "DesignableBorder.h"

#include <QColor>
#include <QWidget>

// A view whose layer border the interface files can set. Until borderWidth is
// set the layer draws no border, whatever borderColor says. Main thread only.
class DesignableView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(double borderWidth READ borderWidth WRITE setBorderWidth)
    Q_PROPERTY(QColor borderColor READ borderColor WRITE setBorderColor)

public:
    explicit DesignableView(QWidget* parent = nullptr);

    double borderWidth() const { return border_.width(); }
    void setBorderWidth(double width)
    {
        border_.setWidth(width);
        update();
    }
    QColor borderColor() const { return border_.color(); }
    void setBorderColor(const QColor& color)
    {
        border_.setColor(color);
        update();
    }

    const LayerBorder& layerBorder() const { return border_.layer(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DesignableBorder border_;
};
