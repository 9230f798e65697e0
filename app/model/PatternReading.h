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

// A character as a fault message shows it: printable ASCII quoted, the rest in hex.
inline std::string shownInFault(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x21 && u < 0x7f)
        return std::string("'") + c + "'";
    static const char* hex = "0123456789ABCDEF";
    return std::string("byte 0x") + hex[u >> 4] + hex[u & 15];
}

}  // namespace cellarium
