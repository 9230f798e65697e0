#include "ShuffledDistribution.h"

#include <QtGlobal>

#include <numeric>

namespace fennelkit {

ShuffledDistribution::ShuffledDistribution(int lowest, int highest)
    : ShuffledDistribution(lowest, highest, std::random_device{}())
{
}

ShuffledDistribution::ShuffledDistribution(int lowest, int highest, std::uint32_t seed)
    : lowest_(lowest), highest_(highest), engine_(seed)
{
    if (lowest > highest)
        qFatal("ShuffledDistribution: empty range %d to %d", lowest, highest);
}

int ShuffledDistribution::nextInt()
{
    if (remaining_.empty())
        refill();
    // Drawing a random remaining value and moving the last one into its place
    // is one step of a Fisher-Yates shuffle done on demand.
    std::uniform_int_distribution<std::size_t> pick(0, remaining_.size() - 1);
    const std::size_t i = pick(engine_);
    const int value = remaining_[i];
    remaining_[i] = remaining_.back();
    remaining_.pop_back();
    return value;
}

void ShuffledDistribution::refill()
{
    remaining_.resize(static_cast<std::size_t>(static_cast<std::int64_t>(highest_) - lowest_ + 1));
    std::iota(remaining_.begin(), remaining_.end(), lowest_);
}

}  // namespace fennelkit
