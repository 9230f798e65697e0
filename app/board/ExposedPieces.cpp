#include "board/ExposedPieces.h"

#include <QPaintEngine>
#include <QPaintDevice>
#include <QPainter>
#include <QtMath>
#include <QStyleOptionGraphicsItem>

std::vector<QRectF> exposedPieces(const QPainter& painter, const QStyleOptionGraphicsItem& option, const QRectF& bounds)
{
    const QRectF exposed = option.exposedRect.intersected(bounds);
    if (exposed.isEmpty())
        return {};
    const QPaintEngine* engine = painter.paintEngine();
    const QRegion dirty = engine ? engine->systemClip() : QRegion();
    const QTransform toItem = painter.deviceTransform().inverted();
    // Beyond a plain scale the pieces would be rotated: paint the exposed rect.
    if (dirty.rectCount() < 2 || painter.deviceTransform().type() > QTransform::TxScale)
        return {exposed};
    std::vector<QRectF> pieces;
    pieces.reserve(static_cast<std::size_t>(dirty.rectCount()));
    for (const QRect& rect : dirty) {
        const QRectF piece = toItem.mapRect(QRectF(rect)).intersected(exposed);
        if (!piece.isEmpty())
            pieces.push_back(piece);
    }
    return pieces;
}

std::vector<QRect> exposedDevicePieces(const QPainter& painter, const QStyleOptionGraphicsItem& option, const QRectF& bounds)
{
    const QRectF exposed = option.exposedRect.intersected(bounds);
    if (exposed.isEmpty())
        return {};
    QRect area = painter.deviceTransform().mapRect(exposed).toAlignedRect();
    // Within the device and the painter's clip: an item may be far larger than both.
    if (const QPaintDevice* target = painter.device()) {
        const qreal ratio = target->devType() == QInternal::Widget ? target->devicePixelRatio() : 1;
        area &= QRect(0, 0, qCeil(target->width() * ratio), qCeil(target->height() * ratio));
    }
    if (painter.hasClipping())
        area &= painter.deviceTransform().mapRect(painter.clipBoundingRect()).toAlignedRect();
    if (area.isEmpty())
        return {};
    const QPaintEngine* engine = painter.paintEngine();
    const QRegion dirty = engine ? engine->systemClip() : QRegion();
    if (dirty.isEmpty())
        return {area};
    std::vector<QRect> pieces;
    pieces.reserve(static_cast<std::size_t>(dirty.rectCount()));
    for (const QRect& rect : dirty) {
        const QRect piece = rect.intersected(area);
        if (!piece.isEmpty())
            pieces.push_back(piece);
    }
    return pieces;
}
