#pragma once

#include "FennelKitExport.h"

#include <QColor>
#include <QObject>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>

#include <vector>

class QPainter;

namespace fennelkit {

// A stroked path drawn by its view, with the animatable opacity and stroke end
// (the fraction of the path's length drawn, from its start) of a shape layer.
// It has no fill.
class FENNELKIT_EXPORT ShapeLayer : public QObject {
    Q_OBJECT
    Q_PROPERTY(qreal opacity READ opacity WRITE setOpacity NOTIFY changed)
    Q_PROPERTY(qreal strokeEnd READ strokeEnd WRITE setStrokeEnd NOTIFY changed)

public:
    explicit ShapeLayer(const QPainterPath& path, QObject* parent = nullptr);

    const QPainterPath& path() const { return path_; }
    QColor strokeColor() const { return strokeColor_; }
    void setStrokeColor(const QColor& color);
    qreal lineWidth() const { return lineWidth_; }
    void setLineWidth(qreal width);

    qreal opacity() const { return opacity_; }
    void setOpacity(qreal opacity);
    qreal strokeEnd() const { return strokeEnd_; }
    void setStrokeEnd(qreal strokeEnd);

    // The area the stroke can cover, for repainting.
    QRectF boundingRect() const;
    void paint(QPainter& painter) const;

signals:
    void changed();

private:
    QPainterPath path_;
    std::vector<QPolygonF> outline_;
    qreal length_ = 0;
    QColor strokeColor_;
    qreal lineWidth_ = 1.0;
    qreal opacity_ = 1.0;
    qreal strokeEnd_ = 1.0;
};

}  // namespace fennelkit
