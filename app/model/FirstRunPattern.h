#pragma once

#include "model/LifeSet.h"

namespace cellarium {

// The 40 cells the board starts with while the first-run guide is due,
// in columns 90 to 99 and rows 90 to 98 of the 190-row board.
LifeSet firstRunPattern();

}  // namespace cellarium
