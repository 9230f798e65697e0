#include "GenerationStep.h"

#include <algorithm>

namespace cellarium {

namespace {

using Tile = LifeSet::Tile;
using TileKey = LifeSet::TileKey;
using TileMap = LifeSet::TileMap;
constexpr std::int64_t kSide = LifeSet::kTileSide;

// Bits first..last (0 ≤ first ≤ last ≤ 63) set.
std::uint64_t bitRange(std::int64_t first, std::int64_t last)
{
    const std::uint64_t upTo = last == 63 ? ~std::uint64_t{0} : (std::uint64_t{2} << last) - 1;
    return upTo & (~std::uint64_t{0} << first);
}

// The part of tile coordinate t (a column or row of tiles) inside [lo, hi], as bit or row range.
struct Span {
    std::int64_t first;
    std::int64_t last;
};
Span spanInWindow(std::int64_t t, std::int64_t lo, std::int64_t hi)
{
    const std::int64_t start = t * kSide;  // t is a tile key, so this cannot overflow
    return {std::max(lo, start) - start, std::min(hi, start + kSide - 1) - start};
}

// The live cells inside the window, tile by tile.
TileMap cellsInWindow(const LifeSet& lifes, std::int64_t lo, std::int64_t hi)
{
    const std::int64_t tileLo = lo >> LifeSet::kTileShift;
    const std::int64_t tileHi = hi >> LifeSet::kTileShift;
    TileMap window;
    window.reserve(lifes.tiles().size());
    for (const auto& [key, tile] : lifes.tiles()) {
        if (key.tx < tileLo || key.tx > tileHi || key.ty < tileLo || key.ty > tileHi)
            continue;
        const Span cols = spanInWindow(key.tx, lo, hi);
        const Span rows = spanInWindow(key.ty, lo, hi);
        const std::uint64_t mask = bitRange(cols.first, cols.last);
        Tile masked{};
        bool any = false;
        for (std::int64_t r = rows.first; r <= rows.last; ++r) {
            masked[r] = tile[r] & mask;
            any = any || masked[r] != 0;
        }
        if (any)
            window.emplace(key, masked);
    }
    return window;
}

// One generation of a tile, given the live cells of it and of its eight neighbours
// (n[dy + 1][dx + 1], a zero tile where there are none). Bit-sliced: each word
// holds 64 cells and the neighbour count is summed with adders on whole words.
bool stepTile(const Tile* const n[3][3], Tile& out)
{
    std::uint64_t any = 0;
    for (int r = 0; r < kSide; ++r) {
        // Row r − 1, r and r + 1 of this tile's column and of the columns left and right of it.
        auto rowOf = [&](int dx, int rr) -> std::uint64_t {
            if (rr < 0)
                return (*n[0][dx])[kSide - 1];
            if (rr >= kSide)
                return (*n[2][dx])[0];
            return (*n[1][dx])[rr];
        };
        std::uint64_t in[8];
        int k = 0;
        for (int dr = -1; dr <= 1; ++dr) {
            const std::uint64_t w = rowOf(1, r + dr);
            const std::uint64_t west = rowOf(0, r + dr);
            const std::uint64_t east = rowOf(2, r + dr);
            in[k++] = (w << 1) | (west >> 63);  // each cell's left neighbour
            in[k++] = (w >> 1) | (east << 63);  // each cell's right neighbour
            if (dr != 0)
                in[k++] = w;
        }
        const std::uint64_t alive = (*n[1][1])[r];

        // Full adders over the eight neighbour words.
        auto add = [](std::uint64_t a, std::uint64_t b, std::uint64_t c, std::uint64_t& carry) {
            const std::uint64_t ab = a ^ b;
            carry = (a & b) | (c & ab);
            return ab ^ c;
        };
        std::uint64_t c1, c2, c3, c4, c5, c6;
        const std::uint64_t s1 = add(in[0], in[1], in[2], c1);
        const std::uint64_t s2 = add(in[3], in[4], in[5], c2);
        const std::uint64_t s3 = in[6] ^ in[7];
        const std::uint64_t c3h = in[6] & in[7];
        const std::uint64_t ones = add(s1, s2, s3, c3);
        const std::uint64_t t = add(c1, c2, c3h, c4);
        const std::uint64_t twos = t ^ c3;
        c5 = t & c3;
        c6 = c4 | c5;  // any weight of four or more: four or more neighbours
        const std::uint64_t next = twos & ~c6 & (ones | alive);
        out[r] = next;
        any |= next;
    }
    return any != 0;
}

}  // namespace

LifeSet nextGeneration(const LifeSet& lifes, std::int64_t rows)
{
    const std::int64_t lo = -3;
    const std::int64_t hi = rows > INT64_MAX - 3 ? INT64_MAX : rows + 3;
    if (hi < lo)
        return {};

    const TileMap window = cellsInWindow(lifes, lo, hi);
    static const Tile kZero{};
    auto tileAt = [&](std::int64_t tx, std::int64_t ty) -> const Tile* {
        const auto it = window.find({tx, ty});
        return it == window.end() ? &kZero : &it->second;
    };

    // Every tile next to a tile with live cells may change.
    std::unordered_set<TileKey, LifeSet::TileKeyHash> candidates;
    candidates.reserve(window.size() * 3);
    for (const auto& entry : window) {
        const TileKey key = entry.first;
        for (std::int64_t dy = -1; dy <= 1; ++dy) {
            for (std::int64_t dx = -1; dx <= 1; ++dx) {
                // Window tiles lie near the origin or below the last tile key, so only the
                // upper bound can be reached: a cell past it would have no 64-bit coordinate.
                if (key.tx + dx > LifeSet::kMaxTileKey || key.ty + dy > LifeSet::kMaxTileKey)
                    continue;
                candidates.insert({key.tx + dx, key.ty + dy});
            }
        }
    }

    TileMap next;
    next.reserve(candidates.size());
    Tile out;
    for (const TileKey& key : candidates) {
        const Tile* n[3][3];
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const bool outside = key.tx + dx > LifeSet::kMaxTileKey || key.ty + dy > LifeSet::kMaxTileKey;
                n[dy + 1][dx + 1] = outside ? &kZero : tileAt(key.tx + dx, key.ty + dy);
            }
        }
        if (stepTile(n, out))
            next.emplace(key, out);
    }
    return LifeSet::fromTiles(std::move(next));
}

}  // namespace cellarium
