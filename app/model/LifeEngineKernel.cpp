#include "model/LifeEngineKernel.h"

#include <bit>

// Built with -O3 so that the loops over a tile's rows are vectorised; on x86-64
// one clone per instruction set, chosen when the program loads.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define CELLARIUM_VECTOR_CLONES __attribute__((target_clones("arch=x86-64-v4", "avx2", "default")))
#else
#define CELLARIUM_VECTOR_CLONES
#endif

namespace cellarium {

namespace {

constexpr int kRows = LifeGrid::kTileRows;
constexpr std::int64_t kMaxFlagWords = 64;

// One tile's next generation into `out` (which holds the generation before).
// w, c and e point at the row above the tile in the columns west of it, its own
// and east of it. Returns bit 0 when the result differs from c, bit 1 when it
// differs from what `out` held.
[[gnu::always_inline]] inline unsigned stepTile(const std::uint64_t* w, const std::uint64_t* c, const std::uint64_t* e,
                                                std::uint64_t* out, std::uint64_t columnMask, int liveRows)
{
    // Each row's sum of three horizontal cells, as ones and twos.
    std::uint64_t ones[kRows + 2];
    std::uint64_t twos[kRows + 2];
    for (int k = 0; k < kRows + 2; ++k) {
        const std::uint64_t left = (c[k] << 1) | (w[k] >> 63);
        const std::uint64_t right = (c[k] >> 1) | (e[k] << 63);
        const std::uint64_t lr = left ^ right;
        ones[k] = lr ^ c[k];
        twos[k] = (left & right) | (c[k] & lr);
    }
    // The 3 × 3 sum including the cell: 3 gives life, 4 keeps a live cell alive.
    std::uint64_t diffNow = 0;
    std::uint64_t diffBefore = 0;
    for (int k = 0; k < kRows; ++k) {
        const std::uint64_t a0 = ones[k], b0 = ones[k + 1], c0 = ones[k + 2];
        const std::uint64_t a1 = twos[k], b1 = twos[k + 1], c1 = twos[k + 2];
        const std::uint64_t x0 = a0 ^ b0;
        const std::uint64_t sum1 = x0 ^ c0;                     // weight 1
        const std::uint64_t carry1 = (a0 & b0) | (c0 & x0);     // weight 2
        const std::uint64_t x1 = a1 ^ b1;
        const std::uint64_t s2 = x1 ^ c1;                       // weight 2
        const std::uint64_t c2 = (a1 & b1) | (c1 & x1);         // weight 4
        const std::uint64_t sum2 = s2 ^ carry1;                 // weight 2
        const std::uint64_t c3 = s2 & carry1;                   // weight 4
        const std::uint64_t three = sum1 & sum2 & ~c2;
        const std::uint64_t four = ~sum1 & ~sum2 & (c2 ^ c3);
        std::uint64_t cell = (three | (four & c[k + 1])) & columnMask;
        if (k >= liveRows)
            cell = 0;  // rows past the window's last
        diffNow |= cell ^ c[k + 1];
        diffBefore |= cell ^ out[k];
        out[k] = cell;
    }
    return (diffNow != 0 ? 1u : 0u) | (diffBefore != 0 ? 2u : 0u);
}

// `in` widened by one tile up and down.
[[gnu::always_inline]] inline void dilate(const std::uint64_t* in, std::uint64_t* out, std::int64_t n)
{
    for (std::int64_t k = 0; k < n; ++k) {
        std::uint64_t v = in[k] | (in[k] << 1) | (in[k] >> 1);
        if (k > 0)
            v |= in[k - 1] >> 63;
        if (k + 1 < n)
            v |= in[k + 1] << 63;
        out[k] = v;
    }
}

}  // namespace

CELLARIUM_VECTOR_CLONES
void stepLifeGrid(const LifeGrid& grid, const std::uint64_t* cur, std::uint64_t* next, TileFlags flags, TileFlags newFlags)
{
    const std::int64_t fw = grid.flagWords;
    if (fw > kMaxFlagWords)
        return;  // the engine never builds a grid that tall
    const std::int64_t lastTileRows = grid.rows - (grid.tileRows - 1) * kRows;
    const std::uint64_t lastFlagMask =
        grid.tileRows % 64 == 0 ? ~std::uint64_t{0} : (std::uint64_t{1} << (grid.tileRows % 64)) - 1;

    std::uint64_t around1[kMaxFlagWords], around2[kMaxFlagWords];
    std::uint64_t need1[kMaxFlagWords], need2[kMaxFlagWords];
    for (std::int64_t i = 0; i < grid.columns; ++i) {
        // A tile needs stepping when a tile of its neighbourhood changed both in
        // the last generation and against the one before.
        for (std::int64_t k = 0; k < fw; ++k) {
            const std::int64_t f = i * fw + k;
            around1[k] = flags.changed[f] | (i > 0 ? flags.changed[f - fw] : 0) |
                         (i + 1 < grid.columns ? flags.changed[f + fw] : 0);
            around2[k] = flags.changed2[f] | (i > 0 ? flags.changed2[f - fw] : 0) |
                         (i + 1 < grid.columns ? flags.changed2[f + fw] : 0);
        }
        dilate(around1, need1, fw);
        dilate(around2, need2, fw);
        need1[fw - 1] &= lastFlagMask;
        const std::uint64_t columnMask = i + 1 == grid.columns ? grid.lastColumnMask : ~std::uint64_t{0};
        for (std::int64_t k = 0; k < fw; ++k) {
            const std::int64_t f = i * fw + k;
            // A period-2 neighbourhood repeats the generation before, changed as it was.
            std::uint64_t changed = need1[k] & ~need2[k] & flags.changed[f];
            std::uint64_t changed2 = 0;
            for (std::uint64_t todo = need1[k] & need2[k]; todo != 0; todo &= todo - 1) {
                const std::int64_t j = k * 64 + std::countr_zero(todo);
                const std::int64_t r0 = j * kRows;
                const int liveRows = j + 1 == grid.tileRows ? static_cast<int>(lastTileRows) : kRows;
                const unsigned d = stepTile(cur + grid.at(i - 1, r0 - 1), cur + grid.at(i, r0 - 1), cur + grid.at(i + 1, r0 - 1),
                                            next + grid.at(i, r0), columnMask, liveRows);
                const std::uint64_t bit = std::uint64_t{1} << (j % 64);
                changed |= (d & 1u) != 0 ? bit : 0;
                changed2 |= (d & 2u) != 0 ? bit : 0;
            }
            newFlags.changed[f] = changed;
            newFlags.changed2[f] = changed2;
        }
    }
}

CELLARIUM_VECTOR_CLONES
void summarizeChangedTiles(const LifeGrid& grid, const std::uint64_t* cells, const std::uint64_t* changed,
                           std::uint32_t* counts, std::uint64_t* hashes, std::size_t& population, std::uint64_t& hash)
{
    for (std::int64_t i = 0; i < grid.columns; ++i) {
        for (std::int64_t k = 0; k < grid.flagWords; ++k) {
            for (std::uint64_t todo = changed[i * grid.flagWords + k]; todo != 0; todo &= todo - 1) {
                const std::int64_t j = k * 64 + std::countr_zero(todo);
                if (j >= grid.tileRows)
                    break;
                const auto t = static_cast<std::size_t>(i * grid.tileRows + j);
                const std::uint64_t* rows = cells + grid.at(i, j * kRows);
                const std::uint64_t place = static_cast<std::uint64_t>(t) * kRows;
                std::uint64_t count = 0;
                std::uint64_t h = 0;
                for (int r = 0; r < kRows; ++r) {
                    count += static_cast<std::uint64_t>(std::popcount(rows[r]));
                    const std::uint64_t x = (rows[r] ^ ((place + static_cast<std::uint64_t>(r)) * 0x9E3779B97F4A7C15u)) *
                                            0xBF58476D1CE4E5B9u;
                    h += x ^ (x >> 31);
                }
                population += count;
                population -= counts[t];
                hash += h - hashes[t];
                counts[t] = static_cast<std::uint32_t>(count);
                hashes[t] = h;
            }
        }
    }
}

}  // namespace cellarium
