#include "RandomSoup.h"

namespace cellarium {

std::vector<Life> randomSoup(std::mt19937_64& random, std::int64_t first, std::int64_t side, double density)
{
    std::bernoulli_distribution alive(density);
    std::vector<Life> cells;
    for (std::int64_t y = first; y < first + side; ++y) {
        for (std::int64_t x = first; x < first + side; ++x) {
            if (alive(random))
                cells.push_back({x, y});
        }
    }
    return cells;
}

}  // namespace cellarium
