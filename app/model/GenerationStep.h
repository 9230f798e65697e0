#pragma once

#include "model/LifeSet.h"

#include <cstdint>

namespace cellarium {

// The next generation of `lifes` on a board of `rows` cells per side.
//
// Only the live cells inside the window from −3 to rows + 3 (both coordinates,
// bounds inclusive) count: the others are dropped before counting. Births are
// counted against those cells alone, so a cell can be born one line outside the
// window; it is part of the result and is dropped by the next step. Nothing
// wraps. Cells lacking a coordinate are dropped.
//
// Pure and reentrant: the cost follows the number of occupied 64 × 64 tiles in
// the window, not the board's area, and no coordinate arithmetic can overflow.
LifeSet nextGeneration(const LifeSet& lifes, std::int64_t rows);

}  // namespace cellarium
