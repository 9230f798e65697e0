#include "GridLayer.h"

#include "BoardLayout.h"

#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include <algorithm>

GridLayer::GridLayer(std::int64_t rows, double lifeWidth, double contentWidth, double lineWidth, const QColor& color)
    : offsets_(cellarium::gridLineOffsets(rows, lifeWidth))
    , sorted_(offsets_)
    , contentWidth_(contentWidth)
    , lineWidth_(lineWidth)
    , color_(color)
{
    std::sort(sorted_.begin(), sorted_.end());
}

QPainterPath GridLayer::path() const
{
    QPainterPath path;
    for (double offset : offsets_) {
        path.moveTo(0, offset);
        path.lineTo(contentWidth_, offset);
        path.moveTo(offset, 0);
        path.lineTo(offset, contentWidth_);
    }
    return path;
}

QRectF GridLayer::boundingRect() const
{
    const double half = lineWidth_ / 2;
    return {-half, -half, contentWidth_ + lineWidth_, contentWidth_ + lineWidth_};
}

void GridLayer::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*)
{
    const QRectF area = option->exposedRect.adjusted(-lineWidth_, -lineWidth_, lineWidth_, lineWidth_);
    QPen pen(color_, lineWidth_);
    pen.setCapStyle(Qt::FlatCap);
    painter->setPen(pen);
    const double top = std::max(0.0, area.top());
    const double bottom = std::min(contentWidth_, area.bottom());
    const double left = std::max(0.0, area.left());
    const double right = std::min(contentWidth_, area.right());
    std::vector<QLineF> lines;
    for (auto it = std::lower_bound(sorted_.begin(), sorted_.end(), area.top()); it != sorted_.end() && *it <= area.bottom(); ++it)
        lines.emplace_back(left, *it, right, *it);
    for (auto it = std::lower_bound(sorted_.begin(), sorted_.end(), area.left()); it != sorted_.end() && *it <= area.right(); ++it)
        lines.emplace_back(*it, top, *it, bottom);
    painter->drawLines(lines.data(), static_cast<int>(lines.size()));
}
