#pragma once

#include "Life.h"

#include <QPointF>

#include <optional>

// What a touch on the board asks of it.
struct TouchEdit {
    bool refused = false;              // the simulation runs: no edits
    std::optional<cellarium::Life> toggle;  // the cell to flip, if any
};

// The bookkeeping of touch editing: the cell under a touch, the one refusal while
// the simulation runs, and the drawing drag's last cell, which keeps a finger that
// stays in a cell from flipping it again. The board screen plays the cues and
// flips the cell. Main thread only.
class BoardEditing {
public:
    // A tap flips the cell under it.
    TouchEdit tap(QPointF location, bool running, double lifeWidth) const;

    // A drawing drag's start, every move and its end flip the cell under the finger,
    // unless it is the cell the drag flipped last (even in an earlier drag).
    TouchEdit pan(QPointF location, bool running, double lifeWidth);

    // The cell the drawing drag flipped last; never cleared once set.
    const std::optional<cellarium::Life>& lastPanLife() const { return lastPanLife_; }

private:
    std::optional<cellarium::Life> lastPanLife_;
};
