#include "model/LifeSet.h"

namespace cellarium {

namespace {

struct CellAddress {
    TileKey key;
    int row;
    std::uint64_t bit;
};

CellAddress addressOf(std::int64_t x, std::int64_t y)
{
    // Arithmetic shifts floor negative coordinates into the tile below them.
    return {{x >> LifeSet::kTileShift, y >> LifeSet::kTileShift},
            static_cast<int>(y & (LifeSet::kTileSide - 1)),
            std::uint64_t{1} << (x & (LifeSet::kTileSide - 1))};
}

std::size_t popcount(const LifeSet::Tile& tile)
{
    std::size_t n = 0;
    for (std::uint64_t word : tile)
        n += static_cast<std::size_t>(std::popcount(word));
    return n;
}

bool isEmpty(const LifeSet::Tile& tile)
{
    for (std::uint64_t word : tile) {
        if (word != 0)
            return false;
    }
    return true;
}

}  // namespace

LifeSet::LifeSet(std::initializer_list<Life> lifes)
{
    for (const Life& life : lifes)
        insert(life);
}

LifeSet::LifeSet(const std::vector<Life>& lifes)
{
    for (const Life& life : lifes)
        insert(life);
}

LifeSet LifeSet::fromTiles(TileMap tiles)
{
    LifeSet set;
    for (std::size_t i = tiles.size(); i-- > 0;) {
        if (isEmpty(tiles.valueAt(i)))
            tiles.erase(tiles.keyAt(i));  // moves the last entry, which was already seen, into i
        else
            set.placedCount_ += popcount(tiles.valueAt(i));
    }
    set.tiles_ = std::move(tiles);
    return set;
}

bool LifeSet::contains(const Life& life) const
{
    if (!life.isPlaced())
        return unplaced_.contains(life);
    const CellAddress a = addressOf(*life.x, *life.y);
    const Tile* tile = tiles_.find(a.key);
    return tile != nullptr && ((*tile)[a.row] & a.bit) != 0;
}

bool LifeSet::insert(const Life& life)
{
    if (!life.isPlaced())
        return unplaced_.insert(life).second;
    const CellAddress a = addressOf(*life.x, *life.y);
    std::uint64_t& word = tiles_[a.key][a.row];  // a new tile starts zeroed
    if (word & a.bit)
        return false;
    word |= a.bit;
    ++placedCount_;
    return true;
}

bool LifeSet::erase(const Life& life)
{
    if (!life.isPlaced())
        return unplaced_.erase(life) > 0;
    const CellAddress a = addressOf(*life.x, *life.y);
    Tile* tile = tiles_.find(a.key);
    if (tile == nullptr || ((*tile)[a.row] & a.bit) == 0)
        return false;
    (*tile)[a.row] &= ~a.bit;
    --placedCount_;
    if (isEmpty(*tile))
        tiles_.erase(a.key);  // equality and iteration rely on having no empty tiles
    return true;
}

void LifeSet::formUnion(const LifeSet& other)
{
    for (std::size_t i = 0; i < other.tiles_.size(); ++i) {
        const Tile& theirs = other.tiles_.valueAt(i);
        Tile& mine = tiles_[other.tiles_.keyAt(i)];
        for (int r = 0; r < kTileSide; ++r) {
            placedCount_ += static_cast<std::size_t>(std::popcount(theirs[r] & ~mine[r]));
            mine[r] |= theirs[r];
        }
    }
    unplaced_.insert(other.unplaced_.begin(), other.unplaced_.end());
}

std::size_t LifeSet::intersectionCount(const LifeSet& other) const
{
    const LifeSet& small = tiles_.size() <= other.tiles_.size() ? *this : other;
    const LifeSet& large = &small == this ? other : *this;
    std::size_t n = 0;
    for (std::size_t i = 0; i < small.tiles_.size(); ++i) {
        const Tile* theirs = large.tiles_.find(small.tiles_.keyAt(i));
        if (theirs == nullptr)
            continue;
        const Tile& mine = small.tiles_.valueAt(i);
        for (int r = 0; r < kTileSide; ++r)
            n += static_cast<std::size_t>(std::popcount(mine[r] & (*theirs)[r]));
    }
    for (const Life& life : small.unplaced_)
        n += large.unplaced_.contains(life) ? 1 : 0;
    return n;
}

bool operator==(const LifeSet& a, const LifeSet& b)
{
    if (a.placedCount_ != b.placedCount_ || a.tiles_.size() != b.tiles_.size() || a.unplaced_ != b.unplaced_)
        return false;
    for (std::size_t i = 0; i < a.tiles_.size(); ++i) {
        const LifeSet::Tile* theirs = b.tiles_.find(a.tiles_.keyAt(i));
        if (theirs == nullptr || *theirs != a.tiles_.valueAt(i))
            return false;
    }
    return true;
}

std::vector<Life> LifeSet::toVector() const
{
    std::vector<Life> lifes;
    lifes.reserve(count());
    forEach([&](const Life& life) { lifes.push_back(life); });
    return lifes;
}

LifeSet LifeSet::placedOnly() const
{
    LifeSet set = *this;
    set.unplaced_.clear();
    return set;
}

}  // namespace cellarium
