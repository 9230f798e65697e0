#pragma once

#include "model/Life.h"

#include <cstdint>
#include <random>
#include <vector>

namespace cellarium {

// Cells of the square [first, first + side) each live with probability `density`,
// drawn from `random`.
std::vector<Life> randomSoup(std::mt19937_64& random, std::int64_t first, std::int64_t side, double density);

}  // namespace cellarium
