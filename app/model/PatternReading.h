#pragma once

#include "model/LifeSet.h"

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
    // RLE and plaintext: the side of the board the cells are placed on, relative to
    // its centre. Empty for JSON, whose coordinates are absolute.
    std::optional<std::int64_t> rows;

    static PatternReading success(LifeSet lifes, std::optional<std::int64_t> rows = std::nullopt)
    {
        return {std::move(lifes), {}, rows};
    }
    static PatternReading failure(std::string fault) { return {std::nullopt, std::move(fault), std::nullopt}; }
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
