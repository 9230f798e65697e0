#pragma once

#include "model/BoardPattern.h"
#include "model/LifeSet.h"

#include <cstdint>
#include <optional>

namespace cellarium {

// One set's difference between two states: the cells to drop from the older one and
// the cells to add to it. Taking `removed` then adding `added` turns one into the
// other; the reverse turns it back.
struct CellDifference {
    LifeSet removed;
    LifeSet added;

    bool empty() const { return removed.empty() && added.empty(); }
};

// The restart pattern's difference: whether there was one before and after, and
// its cells' difference (an absent restart pattern counts as empty).
struct RestartDifference {
    bool before = false;
    bool after = false;
    CellDifference cells;
};

// One undoable change to the board: the pattern's cells, the restart pattern when it
// changed, and the board's side when it changed (a load that grows the board, a
// size change). A size change also moves every cell by (shift, shift) before the
// differences apply, as it re-centres the pattern; the differences are taken in the
// moved coordinates.
struct PatternChange {
    CellDifference cells;
    std::optional<RestartDifference> restart;
    std::int64_t rowsBefore = 0;
    std::int64_t rowsAfter = 0;
    std::int64_t shift = 0;

    // True when the change changes nothing.
    bool empty() const;
    // A flip of one cell folded in: a cell the change removed and the flip adds back
    // drops out of the change, and so on.
    void foldToggle(const Life& life, bool added);
};

// The change from `before` on a board of `rowsBefore` to `after` on one of `rowsAfter`,
// with no shift between them.
PatternChange patternChange(const BoardPattern& before, std::int64_t rowsBefore, const BoardPattern& after,
                            std::int64_t rowsAfter);

// `change` applied to `pattern` forwards (redo) or backwards (undo). The differences
// apply to the pattern as it stands: when it is the state the change was recorded
// from, the result is exactly the other state.
void applyForward(BoardPattern& pattern, const PatternChange& change);
void applyBackward(BoardPattern& pattern, const PatternChange& change);

}  // namespace cellarium
