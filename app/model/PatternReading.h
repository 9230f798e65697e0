#pragma once

#include "LifeSet.h"

#include <cstdint>
#include <optional>
#include <string>

namespace cellarium {

// The largest board side a pattern text is read for; a reader refuses larger ones,
// which bounds its memory to a dense bitmap of this side squared (12.5 MB).
inline constexpr std::int64_t kMaxPatternTextRows = 10000;

// What reading a pattern text gave: the cells, or one line naming the fault.
struct PatternReading {
    std::optional<LifeSet> lifes;  // present exactly when reading succeeded
    std::string fault;             // empty on success

    static PatternReading success(LifeSet lifes) { return {std::move(lifes), {}}; }
    static PatternReading failure(std::string fault) { return {std::nullopt, std::move(fault)}; }
    explicit operator bool() const { return lifes.has_value(); }
};

}  // namespace cellarium
