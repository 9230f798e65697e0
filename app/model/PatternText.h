#pragma once

#include "model/LifeSet.h"
#include "model/PatternReading.h"

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
// through decodeBoardPattern (coordinates kept as they are), RLE placed by its
// `#CXRLE Pos` line or centred, plaintext centred on the board. A text is a pattern
// only when it is JSON (`[]` is the empty board), RLE with its `x = …` header, or
// plaintext with at least one live cell: a word, a web address, a lone `!` or
// `...` is refused, not read as an empty board. `format` overrides the sniffing.
// The fault names what is wrong in one line. Safe to call from any thread.
PatternReading readPatternText(std::string_view text, std::int64_t rows,
                               std::optional<PatternFormat> format = std::nullopt);

// Reads `text` to load onto a board of `rows` cells a side that may grow to a larger
// board size (fitPatternToBoard): as readPatternText for `rows`, and when that
// refuses an RLE or plaintext text, for the largest board size, whose reading then
// names that board. Fails with the fault for `rows` when both refuse it.
PatternReading readPatternTextForBoard(std::string_view text, std::int64_t rows,
                                       std::optional<PatternFormat> format = std::nullopt);

// The placed cells of `lifes` in `format` (JSON keeps every cell, as encodePattern).
// `rows` is the side of the board the cells lie on, which RLE's Pos line is measured
// from; by default the smallest board size that holds them (the largest when none).
std::string writePatternText(const LifeSet& lifes, PatternFormat format,
                             std::optional<std::int64_t> rows = std::nullopt);

}  // namespace cellarium
