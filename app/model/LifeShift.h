#pragma once

#include "model/LifeSet.h"

#include <cstdint>

namespace cellarium {

// Every cell moved by (d, d), as the board-size change re-centres a pattern.
// A cell whose coordinate would leave the 64-bit range is dropped: it lies some
// 10^18 cells from any board. Cells lacking a coordinate are dropped too.
LifeSet shifted(const LifeSet& lifes, std::int64_t d);

}  // namespace cellarium
