#pragma once

#include "model/LifeSet.h"

namespace cellarium {

// Whether a run goes on, or stops by itself: when the pattern has died out or a
// generation no longer changes it. Oscillators run until paused.
enum class RunOutcome { Continues, DiedOut, BecameStill };

// Before a tick's step: an empty pattern has died out.
RunOutcome outcomeBeforeStep(const LifeSet& lifes);

// After the step: a generation equal to the pattern it came from is still.
RunOutcome outcomeOfStep(const LifeSet& current, const LifeSet& next);

}  // namespace cellarium
