#include "board/CellLayer.h"

#include "board/ExposedPieces.h"
#include "model/StepWindow.h"

#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include <algorithm>
#include <bit>
#include <cmath>

using cellarium::LifeSet;

CellLayer::CellLayer(LifeSet lifes, std::int64_t rows, double lifeWidth, const QColor& color)
    : lifes_(std::move(lifes))
    , rows_(rows)
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

std::vector<QRectF> CellLayer::advanceTo(LifeSet next)
{
    std::vector<QRectF> flipped;
    const std::int64_t firstTile = firstCell_ >> LifeSet::kTileShift;
    const std::int64_t tilesPerSide = side_ >> LifeSet::kTileShift;
    const bool patch = !image_.isNull();
    const QRgb premultiplied = qPremultiply(color_.rgba());
    // Row r of tile `key` flipped where `changed` has bits; `now` holds the new row.
    auto flip = [&](const cellarium::TileKey& key, int r, std::uint64_t changed, std::uint64_t now) {
        const std::int64_t col = key.tx - firstTile;
        const std::int64_t row = key.ty - firstTile;
        QRgb* line = patch ? reinterpret_cast<QRgb*>(image_.scanLine(static_cast<int>(row * LifeSet::kTileSide + r))) +
                                 col * LifeSet::kTileSide
                           : nullptr;
        const double y = static_cast<double>(key.ty * LifeSet::kTileSide + r) * lifeWidth_;
        while (changed != 0) {
            const int start = std::countr_zero(changed);
            const int length = std::countr_zero(~(changed >> start));
            const std::uint64_t run = (length == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << length) - 1) << start;
            changed &= ~run;
            if (line) {
                for (int i = start; i < start + length; ++i)
                    line[i] = (now >> i) & 1 ? premultiplied : 0;
            }
            flipped.emplace_back(static_cast<double>(key.tx * LifeSet::kTileSide + start) * lifeWidth_, y,
                                 length * lifeWidth_, lifeWidth_);
        }
    };
    auto painted = [&](const cellarium::TileKey& key) {
        const std::int64_t col = key.tx - firstTile;
        const std::int64_t row = key.ty - firstTile;
        return col >= 0 && row >= 0 && col < tilesPerSide && row < tilesPerSide;
    };
    static constexpr LifeSet::Tile kEmpty{};
    const LifeSet::TileMap& before = lifes_.tiles();
    const LifeSet::TileMap& after = next.tiles();
    for (std::size_t i = 0; i < before.size(); ++i) {
        const cellarium::TileKey key = before.keyAt(i);
        if (!painted(key))
            continue;
        const LifeSet::Tile* now = after.find(key);
        const LifeSet::Tile& was = before.valueAt(i);
        const LifeSet::Tile& is = now ? *now : kEmpty;
        for (int r = 0; r < LifeSet::kTileSide; ++r) {
            if (was[r] != is[r])
                flip(key, r, was[r] ^ is[r], is[r]);
        }
    }
    for (std::size_t i = 0; i < after.size(); ++i) {
        const cellarium::TileKey key = after.keyAt(i);
        if (!painted(key) || before.find(key) != nullptr)
            continue;
        const LifeSet::Tile& is = after.valueAt(i);
        for (int r = 0; r < LifeSet::kTileSide; ++r) {
            if (is[r] != 0)
                flip(key, r, is[r], is[r]);
        }
    }
    lifes_ = std::move(next);
    setFlag(ItemHasNoContents, lifes_.empty());
    return flipped;
}

void CellLayer::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*)
{
    if (lifes_.empty())
        return;
    const QTransform device = painter->deviceTransform();
    if (device.type() > QTransform::TxScale || device.m11() <= 0 || device.m22() <= 0) {
        // Turned or mirrored: the image scaled by the painter, over the whole exposed area.
        painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter->drawImage(boundingRect(), image());
        return;
    }
    // Each device pixel takes the cell under its centre, worked out from the pixel's
    // own position, so a repaint of a few cells paints them exactly as a repaint of
    // the whole board does (the painter's scaled blits round each square's edges from
    // the corner of the area they fill). Rows of pixels over the same row of cells
    // are copies.
    const QImage& cells = image();
    const double origin = static_cast<double>(firstCell_) * lifeWidth_;
    const double cellX = device.m11() * lifeWidth_, cellY = device.m22() * lifeWidth_;
    const double leftX = device.m11() * origin + device.dx(), topY = device.m22() * origin + device.dy();
    const int side = cells.width();
    const std::vector<QRect> pieces = exposedDevicePieces(*painter, *option, boundingRect());
    if (pieces.empty())
        return;
    painter->save();
    painter->setWorldTransform(device.inverted() * painter->worldTransform());  // device pixels from here on
    std::vector<int> columns;
    for (const QRect& piece : pieces) {
        QImage out(piece.size(), QImage::Format_ARGB32_Premultiplied);
        columns.resize(static_cast<std::size_t>(piece.width()));
        for (int i = 0; i < piece.width(); ++i) {
            const double column = std::floor((piece.x() + i + 0.5 - leftX) / cellX);
            columns[static_cast<std::size_t>(i)] = column >= 0 && column < side ? static_cast<int>(column) : -1;
        }
        int lastRow = -2;
        bool anything = false;
        for (int j = 0; j < piece.height(); ++j) {
            const double cellRow = std::floor((piece.y() + j + 0.5 - topY) / cellY);
            const int row = cellRow >= 0 && cellRow < side ? static_cast<int>(cellRow) : -1;
            auto* line = reinterpret_cast<QRgb*>(out.scanLine(j));
            if (row == lastRow) {
                std::copy_n(reinterpret_cast<const QRgb*>(out.constScanLine(j - 1)), piece.width(), line);
                continue;
            }
            lastRow = row;
            const auto* source = row >= 0 ? reinterpret_cast<const QRgb*>(cells.constScanLine(row)) : nullptr;
            for (int i = 0; i < piece.width(); ++i) {
                const int column = columns[static_cast<std::size_t>(i)];
                line[i] = source && column >= 0 ? source[column] : 0;
                anything = anything || line[i] != 0;
            }
        }
        if (anything)
            painter->drawImage(piece.topLeft(), out);
    }
    painter->restore();
}
