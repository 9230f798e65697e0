#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace cellarium {

// Finds the period of a run from its states, offered one generation after
// another (Brent's algorithm): one earlier state is kept, replaced by the state
// offered 1, 2, 4, 8, … generations after it, and every new state is compared
// with it. The comparison is by hash first and, when the hashes agree, word for
// word, so a hash collision can never report a cycle. The first repeat found is
// at the smallest period, once the kept state lies in the cycle and the period
// fits in the current power of two: within about 2 · max(start, period) + period
// generations of the cycle's start.
//
// Memory: one copy of a state. Not thread-safe.
class CycleFinder {
public:
    // The state of the next generation and its hash (any function of the state).
    // Returns the period once this state equals the one kept, else 0; after
    // that it returns the period without looking.
    std::int64_t offer(std::span<const std::uint64_t> state, std::uint64_t hash);

    // The period found, or 0.
    std::int64_t period() const { return period_; }

    // Forgets everything: the next state offered starts a new run.
    void reset();

private:
    std::vector<std::uint64_t> kept_;
    std::uint64_t keptHash_ = 0;
    std::int64_t distance_ = -1;  // generations from the kept state to the last offered; −1: none kept
    std::int64_t power_ = 1;
    std::int64_t period_ = 0;
};

}  // namespace cellarium
