#include "CellLayer.h"

#include "StepWindow.h"

#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include <bit>
#include <cmath>

using cellarium::LifeSet;

CellLayer::CellLayer(LifeSet lifes, std::int64_t rows, double lifeWidth, const QColor& color)
    : lifes_(std::move(lifes))
    , lifeWidth_(lifeWidth)
    , color_(color)
{
    // One tile beyond the step window on every side.
    const cellarium::StepWindow window = cellarium::StepWindow::forRows(rows);
    const std::int64_t firstTile = (window.lo >> LifeSet::kTileShift) - 1;
    const std::int64_t lastTile = (window.hi >> LifeSet::kTileShift) + 1;
    firstCell_ = firstTile * LifeSet::kTileSide;
    side_ = (lastTile - firstTile + 1) * LifeSet::kTileSide;
    if (lifes_.empty())
        setFlag(ItemHasNoContents);
}

QRectF CellLayer::boundingRect() const
{
    const double origin = static_cast<double>(firstCell_) * lifeWidth_;
    const double extent = static_cast<double>(side_) * lifeWidth_;
    return {origin, origin, extent, extent};
}

const QImage& CellLayer::image()
{
    if (!image_.isNull())
        return image_;
    const int side = static_cast<int>(side_);
    image_ = QImage(side, side, QImage::Format_ARGB32_Premultiplied);
    image_.fill(Qt::transparent);
    const QRgb pixel = color_.rgba();
    const QRgb premultiplied = qPremultiply(pixel);
    const LifeSet::TileMap& tiles = lifes_.tiles();
    const std::int64_t firstTile = firstCell_ >> LifeSet::kTileShift;
    const std::int64_t tilesPerSide = side_ >> LifeSet::kTileShift;
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const cellarium::TileKey key = tiles.keyAt(i);
        const std::int64_t col = key.tx - firstTile;
        const std::int64_t row = key.ty - firstTile;
        if (col < 0 || row < 0 || col >= tilesPerSide || row >= tilesPerSide)
            continue;
        const LifeSet::Tile& tile = tiles.valueAt(i);
        for (int r = 0; r < LifeSet::kTileSide; ++r) {
            auto* line = reinterpret_cast<QRgb*>(image_.scanLine(static_cast<int>(row * LifeSet::kTileSide + r))) +
                         col * LifeSet::kTileSide;
            for (std::uint64_t word = tile[r]; word != 0; word &= word - 1)
                line[std::countr_zero(word)] = premultiplied;
        }
    }
    return image_;
}

void CellLayer::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*)
{
    if (lifes_.empty())
        return;
    const QRectF target = option->exposedRect.intersected(boundingRect());
    if (target.isEmpty())
        return;
    // The exposed area in image pixels, widened to whole cells so the scaled squares line up.
    const double origin = static_cast<double>(firstCell_);
    const double left = std::floor(target.left() / lifeWidth_) - origin;
    const double top = std::floor(target.top() / lifeWidth_) - origin;
    const double right = std::ceil(target.right() / lifeWidth_) - origin;
    const double bottom = std::ceil(target.bottom() / lifeWidth_) - origin;
    const QRectF source(left, top, right - left, bottom - top);
    const QRectF scaled((left + origin) * lifeWidth_, (top + origin) * lifeWidth_, source.width() * lifeWidth_,
                        source.height() * lifeWidth_);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->drawImage(scaled, image(), source);
}
