#pragma once

#include "model/LifeSet.h"

#include <cstdint>
#include <vector>

namespace cellarium {

// A dense rectangle of cells, row by row, one bit a cell: what the pattern-text
// readers fill and the writers scan. Bit i of word k of a row is column 64k + i.
// A plain value; not shared between threads.
class CellBitmap {
public:
    CellBitmap() = default;
    CellBitmap(std::int64_t width, std::int64_t height);

    // The placed cells of `lifes` in their bounding box; cells lacking a coordinate
    // are left out. `originX`/`originY` give where column 0 and row 0 lie.
    static CellBitmap boundingBoxOf(const LifeSet& lifes);

    std::int64_t width() const { return width_; }
    std::int64_t height() const { return height_; }
    std::int64_t originX() const { return originX_; }
    std::int64_t originY() const { return originY_; }
    std::int64_t wordsPerRow() const { return wordsPerRow_; }
    const std::uint64_t* row(std::int64_t y) const { return words_.data() + y * wordsPerRow_; }
    std::uint64_t* row(std::int64_t y) { return words_.data() + y * wordsPerRow_; }

    // Adds a row at the bottom (the plaintext reader grows as it goes).
    void addRow();

    // Sets `count` cells of row y from column x on. Precondition: inside the rectangle.
    void setRun(std::int64_t y, std::int64_t x, std::int64_t count);

    bool empty() const;

    // The cells as a set, moved so that their bounding box stands centred on a
    // board of `rows` cells a side. Precondition: the bounding box fits the board.
    LifeSet centredOnBoard(std::int64_t rows) const;

    // The cells as a set with column 0 and row 0 at (left, top). Precondition: every
    // cell's coordinates stay within the 64-bit range.
    LifeSet placedAt(std::int64_t left, std::int64_t top) const;

private:
    std::int64_t width_ = 0;
    std::int64_t height_ = 0;
    std::int64_t wordsPerRow_ = 0;
    std::int64_t originX_ = 0;
    std::int64_t originY_ = 0;
    std::vector<std::uint64_t> words_;
};

}  // namespace cellarium
