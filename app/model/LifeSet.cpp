#include "LifeSet.h"

namespace cellarium {

namespace {

struct CellAddress {
    LifeSet::TileKey key;
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
    for (auto it = tiles.begin(); it != tiles.end();) {
        if (isEmpty(it->second)) {
            it = tiles.erase(it);
        } else {
            set.placedCount_ += popcount(it->second);
            ++it;
        }
    }
    set.tiles_ = std::move(tiles);
    return set;
}

bool LifeSet::contains(const Life& life) const
{
    if (!life.isPlaced())
        return unplaced_.contains(life);
    const CellAddress a = addressOf(*life.x, *life.y);
    const auto it = tiles_.find(a.key);
    return it != tiles_.end() && (it->second[a.row] & a.bit) != 0;
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
    const auto it = tiles_.find(a.key);
    if (it == tiles_.end() || (it->second[a.row] & a.bit) == 0)
        return false;
    it->second[a.row] &= ~a.bit;
    --placedCount_;
    if (isEmpty(it->second))
        tiles_.erase(it);  // equality and iteration rely on having no empty tiles
    return true;
}

void LifeSet::formUnion(const LifeSet& other)
{
    for (const auto& [key, theirs] : other.tiles_) {
        Tile& mine = tiles_[key];
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
    for (const auto& [key, tile] : small.tiles_) {
        const auto it = large.tiles_.find(key);
        if (it == large.tiles_.end())
            continue;
        for (int r = 0; r < kTileSide; ++r)
            n += static_cast<std::size_t>(std::popcount(tile[r] & it->second[r]));
    }
    for (const Life& life : small.unplaced_)
        n += large.unplaced_.contains(life) ? 1 : 0;
    return n;
}

bool operator==(const LifeSet& a, const LifeSet& b)
{
    return a.placedCount_ == b.placedCount_ && a.tiles_ == b.tiles_ && a.unplaced_ == b.unplaced_;
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
