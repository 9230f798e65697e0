#include "ShapeLayer.h"

#include <QLineF>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace fennelkit {

ShapeLayer::ShapeLayer(const QPainterPath& path, QObject* parent) : QObject(parent), path_(path)
{
    // Flattened once, so that each frame only walks the outline up to the stroke end.
    for (const QPolygonF& polygon : path.toSubpathPolygons()) {
        outline_.push_back(polygon);
        for (qsizetype i = 1; i < polygon.size(); ++i)
            length_ += QLineF(polygon[i - 1], polygon[i]).length();
    }
}

void ShapeLayer::setStrokeColor(const QColor& color)
{
    strokeColor_ = color;
    emit changed();
}

void ShapeLayer::setLineWidth(qreal width)
{
    lineWidth_ = width;
    emit changed();
}

void ShapeLayer::setOpacity(qreal opacity)
{
    opacity_ = opacity;
    emit changed();
}

void ShapeLayer::setStrokeEnd(qreal strokeEnd)
{
    strokeEnd_ = strokeEnd;
    emit changed();
}

QRectF ShapeLayer::boundingRect() const
{
    const qreal margin = lineWidth_ / 2 + 1;
    return path_.controlPointRect().adjusted(-margin, -margin, margin, margin);
}

void ShapeLayer::paint(QPainter& painter) const
{
    const qreal end = std::clamp(strokeEnd_, 0.0, 1.0);
    if (opacity_ <= 0 || end <= 0 || !strokeColor_.isValid())
        return;
    painter.save();
    painter.setOpacity(painter.opacity() * std::clamp(opacity_, 0.0, 1.0));
    painter.setPen(QPen(strokeColor_, lineWidth_, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    if (end >= 1) {
        painter.drawPath(path_);
    } else {
        qreal remaining = end * length_;
        for (const QPolygonF& polygon : outline_) {
            QPolygonF part;
            for (qsizetype i = 0; i < polygon.size() && remaining > 0; ++i) {
                if (i == 0) {
                    part << polygon[0];
                    continue;
                }
                const QLineF segment(polygon[i - 1], polygon[i]);
                if (segment.length() <= remaining) {
                    part << polygon[i];
                    remaining -= segment.length();
                } else {
                    part << segment.pointAt(remaining / segment.length());
                    remaining = 0;
                }
            }
            if (part.size() > 1)
                painter.drawPolyline(part);
            if (remaining <= 0)
                break;
        }
    }
    painter.restore();
}

}  // namespace fennelkit
