#pragma once

#include "model/FlatTileMap.h"
#include "model/Life.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <unordered_set>
#include <vector>

namespace cellarium {

// The live-cell set: a value type without duplicates and with unspecified order.
//
// Placed cells (both coordinates present) live in 64 × 64 bit tiles keyed by
// (x >> 6, y >> 6), so the generation step and the renderer work on whole words
// and a set costs memory per occupied tile, wherever in the 64-bit plane its
// cells lie. Cells lacking a coordinate, which only a decoded pattern can hold,
// are kept apart in a small hash set.
class LifeSet {
public:
    static constexpr int kTileShift = 6;
    static constexpr std::int64_t kTileSide = 64;

    // Word r is row r of the tile; bit i of a word is column i.
    using Tile = std::array<std::uint64_t, kTileSide>;

    using TileMap = FlatTileMap<Tile>;

    // The last tile key a 64-bit coordinate reaches; the step never steps past it.
    static constexpr std::int64_t kMaxTileKey = INT64_MAX >> kTileShift;

    LifeSet() = default;
    LifeSet(std::initializer_list<Life> lifes);
    explicit LifeSet(const std::vector<Life>& lifes);  // duplicates collapse

    // Builds a set from tiles; empty tiles are dropped. Used by the generation step.
    static LifeSet fromTiles(TileMap tiles);

    bool contains(const Life& life) const;
    bool insert(const Life& life);  // true when the cell was not yet in the set
    bool erase(const Life& life);   // true when the cell was in the set

    std::size_t count() const { return placedCount_ + unplaced_.size(); }
    bool empty() const { return count() == 0; }

    void formUnion(const LifeSet& other);
    std::size_t intersectionCount(const LifeSet& other) const;
    friend bool operator==(const LifeSet& a, const LifeSet& b);

    // Calls f(Life) for every cell, in unspecified order.
    template <typename F>
    void forEach(F&& f) const
    {
        forEachPlaced([&](std::int64_t x, std::int64_t y) { f(Life{x, y}); });
        for (const Life& life : unplaced_)
            f(life);
    }

    // Calls f(x, y) for every cell with both coordinates, in unspecified order.
    template <typename F>
    void forEachPlaced(F&& f) const
    {
        for (std::size_t i = 0; i < tiles_.size(); ++i) {
            const TileKey& key = tiles_.keyAt(i);
            const Tile& tile = tiles_.valueAt(i);
            const std::int64_t x0 = key.tx * kTileSide;
            const std::int64_t y0 = key.ty * kTileSide;
            for (std::int64_t r = 0; r < kTileSide; ++r) {
                for (std::uint64_t word = tile[r]; word != 0; word &= word - 1)
                    f(x0 + std::countr_zero(word), y0 + r);
            }
        }
    }

    std::vector<Life> toVector() const;

    const TileMap& tiles() const { return tiles_; }
    const std::unordered_set<Life>& unplaced() const { return unplaced_; }

    // The same cells without those lacking a coordinate.
    LifeSet placedOnly() const;

private:
    TileMap tiles_;
    std::size_t placedCount_ = 0;
    std::unordered_set<Life> unplaced_;
};

}  // namespace cellarium
