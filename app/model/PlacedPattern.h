#pragma once

#include "model/LifeSet.h"

#include <cstdint>
#include <optional>

namespace cellarium {

// A pattern as a reader hands it to the board. An RLE or plaintext text is placed
// relative to the centre of the board it was read for, so its cells alone do not say
// where they belong: `rows` names that board. JSON (the app's encoding, archive
// records) keeps absolute coordinates: `rows` is empty.
struct PlacedPattern {
    PlacedPattern() = default;
    // Cells at absolute coordinates.
    PlacedPattern(LifeSet lifes) : lifes(std::move(lifes)) {}  // implicit: every LifeSet hand-back is JSON's
    PlacedPattern(LifeSet lifes, std::optional<std::int64_t> rows) : lifes(std::move(lifes)), rows(rows) {}

    LifeSet lifes;
    std::optional<std::int64_t> rows;
};

// Where `pattern` loads from a board of `rows` cells a side: that board when it holds
// every placed cell, else the smallest larger board size (kBoardSizes) that does,
// as if the user had chosen it. Cells placed relative to a board's centre move with
// the centre, as a board-size change moves the board's own pattern (Golly's centre
// cell of a side R is R / 2); absolute ones stay. The result names the board (`rows`
// set) and holds only placed cells; nullopt when no board holds them all.
std::optional<PlacedPattern> fitPatternToBoard(const PlacedPattern& pattern, std::int64_t rows);

// The side of the board cells at absolute coordinates load onto from a board of
// `rows`, by the same rule; nullopt when none holds them.
std::optional<std::int64_t> boardSizeHolding(const LifeSet& lifes, std::int64_t rows);

}  // namespace cellarium
