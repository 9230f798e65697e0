#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>

// The border a view's layer draws over its content, inside its bounds. A new
// layer has none: width 0, opaque black.
struct LayerBorder {
    qreal width = 0;
    QColor color = Qt::black;

    void paint(QPainter& painter, const QRectF& bounds) const
    {
        if (width <= 0 || !color.isValid() || color.alpha() == 0)
            return;
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(color, width));
        painter.setBrush(Qt::NoBrush);
        const qreal inset = width / 2;
        painter.drawRect(bounds.adjusted(inset, inset, -inset, -inset));
        painter.restore();
    }
};
