#pragma once

#include "model/Life.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace cellarium {

// Offsets of the grid lines of a board of `rows` cells of side `lifeWidth`, in the
// order the grid path adds them: from both outer edges towards the middle, the
// middle line once. There are rows + 1 of them, every multiple of lifeWidth from 0
// to rows × lifeWidth; each offset stands for a horizontal and a vertical line.
std::vector<double> gridLineOffsets(std::int64_t rows, double lifeWidth);

// The cell under a board-view point: each coordinate divided by lifeWidth and
// truncated toward zero, so up to one cell left of or above the board maps to
// column or row 0. nullopt for a point that is not finite or lies beyond the
// 64-bit range, which no touch on the board produces.
std::optional<Life> lifeAtPoint(double x, double y, double lifeWidth);

}  // namespace cellarium
