#pragma once

#include "LifeSet.h"
#include "PatternReading.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cellarium {

// The pattern texts the app and the tools read and write: the JSON pattern
// encoding, RLE and plaintext (.cells).
enum class PatternFormat { json, rle, cells };

// "json", "rle" or "cells"; and back (nullopt for any other name).
std::string_view patternFormatName(PatternFormat format);
std::optional<PatternFormat> patternFormatNamed(std::string_view name);

// Which format a text is in, from its first character after a byte-order mark and
// white space: `[` JSON; `#`, `x =`, a digit, `b`, `o` or `$` RLE; `!`, `.`, `O` or
// `*` plaintext. nullopt when it is none of them (an empty text too).
std::optional<PatternFormat> sniffPatternFormat(std::string_view text);

// Any pattern text turned into a pattern for a board of `rows` cells a side: JSON
// through decodeBoardPattern (coordinates kept as they are), RLE and plaintext
// centred on the board. `format` overrides the sniffing. The fault names what is
// wrong in one line. Safe to call from any thread.
PatternReading readPatternText(std::string_view text, std::int64_t rows,
                               std::optional<PatternFormat> format = std::nullopt);

// The placed cells of `lifes` in `format` (JSON keeps every cell, as encodePattern).
std::string writePatternText(const LifeSet& lifes, PatternFormat format);

}  // namespace cellarium
