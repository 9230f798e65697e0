#include "model/CellBitmap.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <new>

namespace cellarium {

namespace {

std::uint64_t lowBits(std::int64_t n)
{
    return n >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << n) - 1;
}

// Floor division by 64, right for negative coordinates too.
std::int64_t tileOf(std::int64_t v)
{
    return v >> LifeSet::kTileShift;
}

}  // namespace

CellBitmap::CellBitmap(std::int64_t width, std::int64_t height)
    : width_(width), height_(height), wordsPerRow_((width + 63) / 64),
      words_(static_cast<std::size_t>(wordsPerRow_ * height), 0)
{
}

void CellBitmap::addRow()
{
    ++height_;
    words_.resize(static_cast<std::size_t>(wordsPerRow_ * height_), 0);
}

void CellBitmap::setRun(std::int64_t y, std::int64_t x, std::int64_t count)
{
    std::uint64_t* words = words_.data() + y * wordsPerRow_;
    while (count > 0) {
        const std::int64_t bit = x & 63;
        const std::int64_t n = std::min<std::int64_t>(count, 64 - bit);
        words[x >> 6] |= lowBits(n) << bit;
        x += n;
        count -= n;
    }
}

bool CellBitmap::empty() const
{
    return std::all_of(words_.begin(), words_.end(), [](std::uint64_t w) { return w == 0; });
}

CellBitmap CellBitmap::boundingBoxOf(const LifeSet& lifes)
{
    const LifeSet::TileMap& tiles = lifes.tiles();
    if (tiles.empty())
        return {};
    // Tiles hold no empty rows or columns of their own; the box comes from the words.
    std::int64_t minX = std::numeric_limits<std::int64_t>::max();
    std::int64_t minY = minX;
    std::int64_t maxX = std::numeric_limits<std::int64_t>::min();
    std::int64_t maxY = maxX;
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const TileKey& key = tiles.keyAt(i);
        const LifeSet::Tile& tile = tiles.valueAt(i);
        std::uint64_t columns = 0;
        for (std::int64_t r = 0; r < LifeSet::kTileSide; ++r) {
            if (tile[r] == 0)
                continue;
            columns |= tile[r];
            minY = std::min(minY, key.ty * LifeSet::kTileSide + r);
            maxY = std::max(maxY, key.ty * LifeSet::kTileSide + r);
        }
        if (columns == 0)
            continue;
        minX = std::min(minX, key.tx * LifeSet::kTileSide + std::countr_zero(columns));
        maxX = std::max(maxX, key.tx * LifeSet::kTileSide + 63 - std::countl_zero(columns));
    }
    if (minX > maxX)
        return {};
    // A set spread over more of the plane than memory holds cannot be scanned densely:
    // refused as out of memory, which the tools report.
    const auto span = [](std::int64_t lo, std::int64_t hi) {
        const auto d = static_cast<std::uint64_t>(hi) - static_cast<std::uint64_t>(lo);
        if (d >= (std::uint64_t{1} << 31))
            throw std::bad_alloc();
        return static_cast<std::int64_t>(d) + 1;
    };
    const std::int64_t width = span(minX, maxX), height = span(minY, maxY);
    if (width * height > (std::int64_t{1} << 34))  // refused before the constructor allocates
        throw std::bad_alloc();
    CellBitmap bitmap(width, height);
    bitmap.originX_ = minX;
    bitmap.originY_ = minY;
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const TileKey& key = tiles.keyAt(i);
        const LifeSet::Tile& tile = tiles.valueAt(i);
        // Column offset of the tile's first cell in the bitmap; whole tiles lie inside the box's span.
        const std::int64_t dx = key.tx * LifeSet::kTileSide - minX;
        for (std::int64_t r = 0; r < LifeSet::kTileSide; ++r) {
            const std::uint64_t w = tile[r];
            if (w == 0)
                continue;
            std::uint64_t* row = bitmap.words_.data() + (key.ty * LifeSet::kTileSide + r - minY) * bitmap.wordsPerRow_;
            // dx may be negative (the tile starts left of the box), bits below the box are zero then.
            const std::int64_t bit = ((dx % 64) + 64) % 64;
            const std::int64_t word = (dx - bit) / 64;
            if (word >= 0)
                row[word] |= w << bit;
            if (bit != 0 && word + 1 < bitmap.wordsPerRow_)
                row[word + 1] |= w >> (64 - bit);
        }
    }
    return bitmap;
}

LifeSet CellBitmap::centredOnBoard(std::int64_t rows) const
{
    // The live cells' own box, so that blank margins in the text do not move the pattern.
    std::int64_t minX = width_, maxX = -1, minY = height_, maxY = -1;
    for (std::int64_t y = 0; y < height_; ++y) {
        const std::uint64_t* words = row(y);
        for (std::int64_t k = 0; k < wordsPerRow_; ++k) {
            if (words[k] == 0)
                continue;
            minY = std::min(minY, y);
            maxY = y;
            minX = std::min(minX, k * 64 + std::countr_zero(words[k]));
            maxX = std::max(maxX, k * 64 + 63 - std::countl_zero(words[k]));
        }
    }
    if (maxY < 0)
        return {};
    return placedAt((rows - (maxX - minX + 1)) / 2 - minX, (rows - (maxY - minY + 1)) / 2 - minY);
}

LifeSet CellBitmap::placedAt(std::int64_t offsetX, std::int64_t offsetY) const
{
    LifeSet::TileMap tiles;
    const std::int64_t bit = ((offsetX % 64) + 64) % 64;
    const std::int64_t wordShift = (offsetX - bit) / 64;  // tile column of bitmap word 0
    for (std::int64_t y = 0; y < height_; ++y) {
        const std::uint64_t* words = row(y);
        const std::int64_t boardY = y + offsetY;
        const std::int64_t ty = tileOf(boardY);
        const std::int64_t r = boardY & 63;
        for (std::int64_t k = 0; k < wordsPerRow_; ++k) {
            const std::uint64_t w = words[k];
            if (w == 0)
                continue;
            const std::int64_t tx = k + wordShift;
            tiles[{tx, ty}][static_cast<std::size_t>(r)] |= w << bit;
            if (bit != 0 && (w >> (64 - bit)) != 0)
                tiles[{tx + 1, ty}][static_cast<std::size_t>(r)] |= w >> (64 - bit);
        }
    }
    return LifeSet::fromTiles(std::move(tiles));
}

}  // namespace cellarium
