#pragma once

#include <cstdint>
#include <vector>

// The yardstick the engine is measured against: a bounded square board of 64-bit
// words, row by row, every word of every row recomputed each generation with
// full adders over its eight neighbours. Nothing is skipped.
class PlainBitBoard {
public:
    explicit PlainBitBoard(std::int64_t side);

    void set(std::int64_t x, std::int64_t y);  // 0 ≤ x, y < side
    void step();
    std::int64_t population() const;

private:
    std::int64_t side_;
    std::int64_t words_;   // words per row, plus one zero word on each side
    std::vector<std::uint64_t> cur_, next_;  // with one zero row above and below
};
