#pragma once

#include "model/PatternReading.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace cellarium {

// What a classic pattern does, the order the library lists its kinds in.
enum class ClassicPatternKind { stillLife, oscillator, spaceship, methuselah, gun, puffer };

// One pattern of the library: its common English name in sentence case and its
// cells as RLE text (no Pos line, so it reads centred on any board).
struct ClassicPattern {
    std::string_view name;
    ClassicPatternKind kind;
    std::string_view rle;
};

// The library of classic patterns, grouped by kind in the order above. The texts
// are static: the views stay valid for the program's life. Any thread.
std::span<const ClassicPattern> classicPatterns();

// The pattern's cells centred on a board of `rows` cells a side (readRlePattern);
// the reading names that board. Fails only for a board too small to hold it.
PatternReading readClassicPattern(const ClassicPattern& pattern, std::int64_t rows);

}  // namespace cellarium
