#pragma once

#include "model/LifeSet.h"
#include "model/PatternReading.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace cellarium {

// Reads a plaintext (.cells) pattern: lines starting with `!` are comments, every
// other line is a row, `.` dead and `O` (or `*`) alive; a row may stop early, and
// blank lines are empty rows. Line ends may be CR LF; trailing spaces are ignored.
// Any other character is refused, as are live cells beyond `rows` columns or rows.
// The cells come back with their bounding box centred on a board of `rows` cells a
// side (1 to kMaxPatternTextRows); memory stays within `rows` squared bits. Safe
// to call from any thread.
PatternReading readPlaintextPattern(std::string_view text, std::int64_t rows);

// Writes the placed cells of `lifes` as plaintext over their bounding box, each row
// without its trailing dead cells (an empty row as one `.`), each line ending in a
// line break. The empty set gives a lone `!` comment line. Throws std::bad_alloc for
// a set spread wider than memory can scan densely.
std::string writePlaintextPattern(const LifeSet& lifes);

}  // namespace cellarium
