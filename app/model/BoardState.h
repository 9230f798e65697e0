#pragma once

#include "model/LifeSet.h"

#include <cstdint>
#include <optional>

namespace cellarium {

// Where the board view was: its zoom and the content offset at that zoom.
struct BoardViewState {
    double zoom = 1.0;
    double offsetX = 0;
    double offsetY = 0;

    friend bool operator==(const BoardViewState&, const BoardViewState&) = default;
};

// Everything a later launch restores of the board: the pattern and its start
// pattern, how far it has run, the speed, the board size, the drawing mode and
// (when known) the view. A plain value, safe to hand to another thread.
struct BoardState {
    LifeSet lifes;
    std::optional<LifeSet> initLifes;
    std::int64_t generation = 0;
    bool highSpeed = false;
    std::int64_t countOfRows = 190;
    bool panMode = false;
    std::optional<BoardViewState> view;

    friend bool operator==(const BoardState&, const BoardState&) = default;
};

}  // namespace cellarium
