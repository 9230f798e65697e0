#include "model/CycleFinder.h"

#include <algorithm>

namespace cellarium {

std::int64_t CycleFinder::offer(std::span<const std::uint64_t> state, std::uint64_t hash)
{
    if (period_ != 0)
        return period_;
    if (distance_ >= 0) {
        ++distance_;
        if (hash == keptHash_ && std::equal(state.begin(), state.end(), kept_.begin(), kept_.end())) {
            period_ = distance_;
            kept_.clear();
            kept_.shrink_to_fit();
            return period_;
        }
        if (distance_ < power_)
            return 0;
        power_ *= 2;
    }
    kept_.assign(state.begin(), state.end());
    keptHash_ = hash;
    distance_ = 0;
    return 0;
}

void CycleFinder::reset()
{
    *this = CycleFinder();
}

}  // namespace cellarium
