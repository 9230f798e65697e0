#pragma once

#include "model/LifeSet.h"
#include "model/PatternReading.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace cellarium {

// Reads an RLE pattern: `#` comment lines, the header `x = W, y = H[, rule = R]`,
// then runs of `b`/`.` (dead) and `o`/`A` (alive) with optional counts, `$` ending a
// row, `!` ending the pattern (whatever follows it is ignored). The rule, when
// given (in the header or an old `#r` line), must be Conway's Life in any of its
// spellings (B3/S23, b3/s23, S23/B3, 23/3, B3S23); a grid suffix (`:T…`, `:P…`) is
// refused. A `#CXRLE Pos=X,Y` line (Golly's extended RLE; its Gen is ignored)
// places the header's box with its top-left cell at (X, Y) from the board's centre,
// cell (rows / 2, rows / 2), as Golly centres a bounded grid on its origin; a box
// it puts beyond the board is refused. Without the line the live cells' bounding
// box stands centred on the board. Letters of states beyond alive (B to X, p to y)
// are refused, as are unknown letters, counts of 0 or over 2^31, cells past the
// header's width or height, a header larger than the board, and text without its
// `!`. The board has `rows` cells a side (1 to kMaxPatternTextRows); the reading
// names it. Memory stays within the header's W × H bits. Safe to call from any thread.
PatternReading readRlePattern(std::string_view text, std::int64_t rows);

// Writes the placed cells of `lifes`, lying on a board of `rows` cells a side, as
// RLE: a `#CXRLE Pos=X,Y` line with the bounding box's top-left cell relative to
// the board's centre (as the reader takes it, and Golly), the header with the box
// and rule B3/S23, then the runs, in lines of at most 70 characters, ending in `!`
// and a line break. The empty set gives `x = 0, y = 0` and a lone `!`, without
// Pos. Throws std::bad_alloc for a set spread wider than memory can scan densely.
std::string writeRlePattern(const LifeSet& lifes, std::int64_t rows);

// Whether `rule` names Conway's Life (B3/S23) in one of the spellings above.
bool isConwayRule(std::string_view rule);

}  // namespace cellarium
