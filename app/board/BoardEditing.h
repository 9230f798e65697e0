#pragma once

#include "model/Life.h"

#include <QPointF>

#include <optional>

// The bookkeeping of touch editing: the cell under a touch, the one refusal while
// the simulation runs (with its cue), and the drawing drag's last cell, which keeps
// a finger that stays in a cell from flipping it again. Each call answers the cell
// to flip, after its tick cue; the board screen flips it. Main thread only.
class BoardEditing {
public:
    // A tap flips the cell under it.
    std::optional<cellarium::Life> tap(QPointF location, bool running, double lifeWidth) const;

    // A drawing drag's start, every move and its end flip the cell under the finger,
    // unless it is the cell the drag flipped last (even in an earlier drag).
    std::optional<cellarium::Life> pan(QPointF location, bool running, double lifeWidth);

    // The cell the drawing drag flipped last; never cleared once set.
    const std::optional<cellarium::Life>& lastPanLife() const { return lastPanLife_; }

private:
    std::optional<cellarium::Life> lastPanLife_;
};
