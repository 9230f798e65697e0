#include "ExposedPieces.h"

#include <QPaintEngine>
#include <QPainter>
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
