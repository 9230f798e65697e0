#pragma once

#include "LayerBorder.h"

#include <QColor>
#include <QToolButton>

// A button whose layer border the interface files can set. Until borderWidth
// is set the layer draws no border, whatever borderColor says. Main thread only.
class DesignableButton : public QToolButton {
    Q_OBJECT
    Q_PROPERTY(double borderWidth READ borderWidth WRITE setBorderWidth)
    Q_PROPERTY(QColor borderColor READ borderColor WRITE setBorderColor)

public:
    explicit DesignableButton(QWidget* parent = nullptr);

    double borderWidth() const { return borderWidth_; }
    void setBorderWidth(double width);
    QColor borderColor() const { return borderColor_; }
    void setBorderColor(const QColor& color);

    const LayerBorder& layerBorder() const { return layer_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double borderWidth_ = 0;
    QColor borderColor_ = Qt::white;
    LayerBorder layer_;
};
