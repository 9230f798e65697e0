#pragma once

#include "model/Life.h"

#include <cstdint>
#include <unordered_set>

namespace cellarium {

using ReferenceLifeSet = std::unordered_set<Life>;

// The generation step written the plain way, on hash sets: window filter, survival
// pass over the live cells, birth pass over their dead neighbours. Slow, obviously
// right, and the oracle the fast step is checked against.
ReferenceLifeSet referenceNextGeneration(const ReferenceLifeSet& lifes, std::int64_t rows);

}  // namespace cellarium
