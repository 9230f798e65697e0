#include "model/RunOutcome.h"

namespace cellarium {

RunOutcome outcomeBeforeStep(const LifeSet& lifes)
{
    return lifes.empty() ? RunOutcome::DiedOut : RunOutcome::Continues;
}

RunOutcome outcomeOfStep(const LifeSet& current, const LifeSet& next)
{
    return next == current ? RunOutcome::BecameStill : RunOutcome::Continues;
}

}  // namespace cellarium
