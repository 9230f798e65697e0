#pragma once

#include <cstdint>

namespace cellarium {

// The square in which the generation step counts live cells: three cells beyond
// every edge of a board of `rows` rows, from −3 to rows + 3 in both coordinates,
// bounds inclusive. Cells outside it are dropped by the next step.
struct StepWindow {
    static constexpr std::int64_t margin = 3;

    std::int64_t lo;
    std::int64_t hi;

    static constexpr StepWindow forRows(std::int64_t rows)
    {
        return {-margin, rows > INT64_MAX - margin ? INT64_MAX : rows + margin};
    }

    constexpr bool contains(std::int64_t x, std::int64_t y) const { return lo <= x && x <= hi && lo <= y && y <= hi; }
};

}  // namespace cellarium
