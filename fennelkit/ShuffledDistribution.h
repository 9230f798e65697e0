#pragma once

#include "FennelKitExport.h"

#include <cstdint>
#include <random>
#include <vector>

namespace fennelkit {

// Integers from lowest to highest (both inclusive) in random order: every value
// of the range is handed out once before any value repeats, and the next round
// is shuffled afresh.
//
// Precondition: lowest <= highest; otherwise the process stops.
class FENNELKIT_EXPORT ShuffledDistribution {
public:
    ShuffledDistribution(int lowest, int highest);
    // A fixed seed gives a reproducible order.
    ShuffledDistribution(int lowest, int highest, std::uint32_t seed);

    int lowestValue() const { return lowest_; }
    int highestValue() const { return highest_; }

    int nextInt();

private:
    void refill();

    int lowest_;
    int highest_;
    std::mt19937 engine_;
    std::vector<int> remaining_;
};

}  // namespace fennelkit
