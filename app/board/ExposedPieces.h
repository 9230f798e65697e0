#pragma once

#include <QRect>
#include <QRectF>

#include <vector>

class QPainter;
class QStyleOptionGraphicsItem;

// The parts of an item a paint has to cover, in item coordinates, within `bounds`.
// Painting for a widget, they are the rectangles of the widget's dirty region (the
// paint engine's system clip), so a generation that flips a few scattered cells
// costs those cells and not the box around them; elsewhere (an offscreen render)
// the one exposed rectangle. Each piece lies within the option's exposed rect.
std::vector<QRectF> exposedPieces(const QPainter& painter, const QStyleOptionGraphicsItem& option, const QRectF& bounds);

// The same parts in device pixels: whole pixels that do not overlap.
std::vector<QRect> exposedDevicePieces(const QPainter& painter, const QStyleOptionGraphicsItem& option, const QRectF& bounds);
