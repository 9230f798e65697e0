#include "board/GridLayer.h"

#include "board/ExposedPieces.h"
#include "model/BoardLayout.h"

#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include <algorithm>
#include <cmath>

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
    const std::vector<QRectF> pieces = exposedPieces(*painter, *option, boundingRect());
    if (pieces.empty())
        return;
    // The lines whose width reaches into some piece, each once: a translucent line
    // drawn twice over a pixel would darken it.
    std::vector<std::size_t> across, down;  // indices into sorted_
    QRectF extent;
    auto touched = [this](std::vector<std::size_t>& found, double from, double to) {
        for (auto it = std::lower_bound(sorted_.begin(), sorted_.end(), from - lineWidth_);
             it != sorted_.end() && *it <= to + lineWidth_; ++it)
            found.push_back(static_cast<std::size_t>(it - sorted_.begin()));
    };
    for (const QRectF& piece : pieces) {
        touched(across, piece.top(), piece.bottom());
        touched(down, piece.left(), piece.right());
        extent |= piece;
    }
    for (std::vector<std::size_t>* found : {&across, &down}) {
        std::sort(found->begin(), found->end());
        found->erase(std::unique(found->begin(), found->end()), found->end());
    }
    // Each line runs a little past the pieces, so that where a line ends never
    // shows: the clip keeps the paint within them.
    const double margin = 2 / std::max(1e-9, std::abs(painter->deviceTransform().m11()));
    extent.adjust(-margin, -margin, margin, margin);
    const double top = std::max(0.0, extent.top());
    const double bottom = std::min(contentWidth_, extent.bottom());
    const double left = std::max(0.0, extent.left());
    const double right = std::min(contentWidth_, extent.right());
    std::vector<QLineF> lines;
    lines.reserve(across.size() + down.size());
    for (std::size_t i : across)
        lines.emplace_back(left, sorted_[i], right, sorted_[i]);
    for (std::size_t i : down)
        lines.emplace_back(sorted_[i], top, sorted_[i], bottom);
    QPen pen(color_, lineWidth_);
    pen.setCapStyle(Qt::FlatCap);
    painter->setPen(pen);
    painter->drawLines(lines.data(), static_cast<int>(lines.size()));
}
