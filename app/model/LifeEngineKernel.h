#pragma once

#include <cstddef>
#include <cstdint>

namespace cellarium {

// The dense state of the step window as the engine keeps it: word columns of
// `height` rows each, bit b of word (column i, row r) the cell 64·i + b − 3,
// r − 3. Every column has one zero word above row 0 and below the last padded
// row, and there is a zero column left of column 0 and right of the last.
struct LifeGrid {
    static constexpr int kTileRows = 32;  // a tile is one word column of this many rows

    std::int64_t columns = 0;     // word columns
    std::int64_t rows = 0;        // rows of the window
    std::int64_t tileRows = 0;    // ceil(rows / kTileRows)
    std::int64_t stride = 0;      // words from one column to the next: tileRows · kTileRows + 2
    std::int64_t flagWords = 0;   // words of one column's tile flags: ceil(tileRows / 64)
    std::uint64_t lastColumnMask = 0;  // the bits of the last column inside the window

    std::size_t words() const { return static_cast<std::size_t>((columns + 2) * stride); }
    // Offset of word (column, row); column −1 and row −1 are the zero padding.
    std::size_t at(std::int64_t column, std::int64_t row) const
    {
        return static_cast<std::size_t>((column + 1) * stride + row + 1);
    }
};

// Tile flags, one bit per tile: bit j % 64 of word column · flagWords + j / 64.
struct TileFlags {
    std::uint64_t* changed;    // the tile differs from the generation before
    std::uint64_t* changed2;   // the tile differs from two generations before
};

// One generation over the window. `cur` holds generation t, `next` generation
// t − 1 and receives t + 1. A tile whose neighbourhood did not change since the
// last generation, or since the one before that, keeps what `next` holds: it
// already equals generation t + 1. `flags` describe generation t; `newFlags`
// receive those of t + 1. Chooses AVX-512, AVX2 or the baseline at run time on
// x86-64.
void stepLifeGrid(const LifeGrid& grid, const std::uint64_t* cur, std::uint64_t* next, TileFlags flags, TileFlags newFlags);

// The live cells and hash of every tile `changed` marks, into counts[t] and
// hashes[t] (t = column · tileRows + tile), with the differences added to
// `population` and `hash`. A tile's hash mixes each row with its place in the
// window; only its spread matters. Same instruction sets as stepLifeGrid.
void summarizeChangedTiles(const LifeGrid& grid, const std::uint64_t* cells, const std::uint64_t* changed,
                           std::uint32_t* counts, std::uint64_t* hashes, std::size_t& population, std::uint64_t& hash);

}  // namespace cellarium
