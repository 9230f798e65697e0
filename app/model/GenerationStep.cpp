#include "model/GenerationStep.h"

#include "model/StepWindow.h"

#include <algorithm>
#include <array>
#include <vector>

namespace cellarium {

namespace {

using Tile = LifeSet::Tile;
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

// The live cells inside the window, tile by tile: tiles wholly inside are used in
// place, tiles on the window's edge are masked copies kept in `edgeTiles`.
FlatTileMap<const Tile*> cellsInWindow(const LifeSet& lifes, std::int64_t lo, std::int64_t hi, std::vector<Tile>& edgeTiles)
{
    const std::int64_t tileLo = lo >> LifeSet::kTileShift;
    const std::int64_t tileHi = hi >> LifeSet::kTileShift;
    const TileMap& tiles = lifes.tiles();
    FlatTileMap<const Tile*> window;
    window.reserve(tiles.size());
    edgeTiles.reserve(tiles.size());  // no reallocation: the map points into it
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const TileKey key = tiles.keyAt(i);
        if (key.tx < tileLo || key.tx > tileHi || key.ty < tileLo || key.ty > tileHi)
            continue;
        const Span cols = spanInWindow(key.tx, lo, hi);
        const Span rows = spanInWindow(key.ty, lo, hi);
        const Tile& tile = tiles.valueAt(i);
        if (cols.first == 0 && cols.last == kSide - 1 && rows.first == 0 && rows.last == kSide - 1) {
            window[key] = &tile;
            continue;
        }
        const std::uint64_t mask = bitRange(cols.first, cols.last);
        Tile masked{};
        bool any = false;
        for (std::int64_t r = rows.first; r <= rows.last; ++r) {
            masked[r] = tile[r] & mask;
            any = any || masked[r] != 0;
        }
        if (any) {
            edgeTiles.push_back(masked);
            window[key] = &edgeTiles.back();
        }
    }
    return window;
}

// The next state of one row of 64 cells, from the rows above (a), at (m) and below (b)
// of the tile's own column (c) and of the columns west (w) and east (e) of it.
// Bit-sliced: the eight neighbour counts are summed with adders on whole words.
inline std::uint64_t stepRow(std::uint64_t wa, std::uint64_t wm, std::uint64_t wb, std::uint64_t ca, std::uint64_t cm,
                             std::uint64_t cb, std::uint64_t ea, std::uint64_t em, std::uint64_t eb)
{
    // Most rows of a sparse pattern have no live cell near them.
    if ((ca | cm | cb | ((wa | wm | wb) >> 63) | ((ea | em | eb) << 63)) == 0)
        return 0;

    // Each cell's left neighbour is the bit below it, shifted in from the west at bit 0.
    const std::uint64_t in[8] = {
        (ca << 1) | (wa >> 63), ca, (ca >> 1) | (ea << 63),
        (cm << 1) | (wm >> 63),     (cm >> 1) | (em << 63),
        (cb << 1) | (wb >> 63), cb, (cb >> 1) | (eb << 63),
    };
    auto add = [](std::uint64_t a, std::uint64_t b, std::uint64_t c, std::uint64_t& carry) {
        const std::uint64_t ab = a ^ b;
        carry = (a & b) | (c & ab);
        return ab ^ c;
    };
    std::uint64_t c1, c2, c3, c4;
    const std::uint64_t s1 = add(in[0], in[1], in[2], c1);
    const std::uint64_t s2 = add(in[3], in[4], in[5], c2);
    const std::uint64_t ones = add(s1, s2, in[6] ^ in[7], c3);
    const std::uint64_t t = add(c1, c2, in[6] & in[7], c4);  // the carries weigh two
    const std::uint64_t twos = t ^ c3;
    const std::uint64_t fourOrMore = c4 | (t & c3);
    return twos & ~fourOrMore & (ones | cm);  // three neighbours, or two and alive
}

// One generation of a tile, given the live cells of it and of its eight neighbours
// (n[dy + 1][dx + 1], a zero tile where there are none). False when the result is empty.
bool stepTile(const Tile* const n[3][3], Tile& out)
{
    const Tile& w = *n[1][0];
    const Tile& c = *n[1][1];
    const Tile& e = *n[1][2];
    constexpr int last = kSide - 1;
    out[0] = stepRow((*n[0][0])[last], w[0], w[1], (*n[0][1])[last], c[0], c[1], (*n[0][2])[last], e[0], e[1]);
    std::uint64_t any = out[0];
    for (int r = 1; r < last; ++r) {
        out[r] = stepRow(w[r - 1], w[r], w[r + 1], c[r - 1], c[r], c[r + 1], e[r - 1], e[r], e[r + 1]);
        any |= out[r];
    }
    out[last] = stepRow(w[last - 1], w[last], (*n[2][0])[0], c[last - 1], c[last], (*n[2][1])[0], e[last - 1], e[last],
                        (*n[2][2])[0]);
    return (any | out[last]) != 0;
}

}  // namespace

LifeSet nextGeneration(const LifeSet& lifes, std::int64_t rows)
{
    const StepWindow bounds = StepWindow::forRows(rows);
    const std::int64_t lo = bounds.lo;
    const std::int64_t hi = bounds.hi;
    if (hi < lo)
        return {};

    std::vector<Tile> edgeTiles;
    const FlatTileMap<const Tile*> window = cellsInWindow(lifes, lo, hi, edgeTiles);

    // Every tile next to a tile with live cells may change. Each candidate collects
    // its neighbourhood as it is found, so no tile is looked up twice.
    using Neighbourhood = std::array<const Tile*, 9>;  // [(dy + 1) * 3 + dx + 1], null for no live cells
    FlatTileMap<Neighbourhood> candidates;
    candidates.reserve(window.size() * 2 + 16);
    for (std::size_t i = 0; i < window.size(); ++i) {
        const TileKey key = window.keyAt(i);
        for (std::int64_t dy = -1; dy <= 1; ++dy) {
            for (std::int64_t dx = -1; dx <= 1; ++dx) {
                // Window tiles lie at or above tile −1, so only the upper end of the
                // range can be passed: a tile there would have no 64-bit coordinates.
                if (key.tx + dx > LifeSet::kMaxTileKey || key.ty + dy > LifeSet::kMaxTileKey)
                    continue;
                candidates[{key.tx + dx, key.ty + dy}][(1 - dy) * 3 + (1 - dx)] = window.valueAt(i);
            }
        }
    }

    static const Tile kZero{};
    TileMap next;
    next.reserve(candidates.size());
    Tile out;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const Neighbourhood& around = candidates.valueAt(i);
        const Tile* n[3][3];
        for (int k = 0; k < 9; ++k)
            n[k / 3][k % 3] = around[k] != nullptr ? around[k] : &kZero;
        if (stepTile(n, out))
            next.insert(candidates.keyAt(i), out);
    }
    return LifeSet::fromTiles(std::move(next));
}

}  // namespace cellarium
