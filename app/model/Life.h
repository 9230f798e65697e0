#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace cellarium {

// One cell coordinate. Cells the board creates always have both coordinates;
// only a decoded pattern can hold a cell lacking one.
struct Life {
    std::optional<std::int64_t> x;  // column, grows to the right
    std::optional<std::int64_t> y;  // row, grows downwards

    bool isPlaced() const { return x.has_value() && y.has_value(); }
    friend bool operator==(const Life&, const Life&) = default;
};

}  // namespace cellarium

template <>
struct std::hash<cellarium::Life> {
    std::size_t operator()(const cellarium::Life& life) const noexcept
    {
        // Presence and value of x, then of y, as equality compares them.
        auto mix = [](std::size_t seed, const std::optional<std::int64_t>& v) {
            std::size_t h = v ? std::hash<std::int64_t>{}(*v) * 2 + 1 : 0;
            return seed ^ (h + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2));
        };
        return mix(mix(0, life.x), life.y);
    }
};
