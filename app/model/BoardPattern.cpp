#include "model/BoardPattern.h"

#include "model/LifeShift.h"

namespace cellarium {

BoardPattern::BoardPattern(LifeSet lifes)
    : lifes_(std::move(lifes))
{
}

BoardPattern::BoardPattern(LifeSet lifes, std::optional<LifeSet> initLifes)
    : lifes_(std::move(lifes))
    , initLifes_(std::move(initLifes))
{
}

bool BoardPattern::toggle(const Life& life)
{
    if (lifes_.erase(life))
        return false;
    lifes_.insert(life);
    return true;
}

void BoardPattern::rememberStart()
{
    if (!initLifes_)
        initLifes_ = lifes_;
}

bool BoardPattern::restart()
{
    if (!initLifes_)
        return false;
    lifes_ = *initLifes_;
    return true;
}

void BoardPattern::clear()
{
    lifes_ = {};
    initLifes_.reset();
}

void BoardPattern::load(const LifeSet& lifes)
{
    lifes_ = lifes.unplaced().empty() ? lifes : lifes.placedOnly();
    initLifes_ = lifes_;
}

void BoardPattern::shift(std::int64_t d)
{
    if (initLifes_)
        initLifes_ = shifted(*initLifes_, d);
    lifes_ = shifted(lifes_, d);
}

}  // namespace cellarium
