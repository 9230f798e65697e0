#pragma once

#include "model/PatternChange.h"

#include <cstddef>
#include <deque>
#include <vector>

namespace cellarium {

// The board's undo and redo: the latest `depth` changes, each kept as its differences
// (PatternChange), never as a copy of the board, so its memory is bounded by the
// depth and the size of the changes. A new change after undos forgets what could have
// been redone. The caller applies the changes it hands back. A plain value.
class PatternHistory {
public:
    static constexpr std::size_t kDefaultDepth = 100;

    explicit PatternHistory(std::size_t depth = kDefaultDepth);

    // A change made; an empty one is not kept. Beyond the depth the oldest is dropped.
    void record(PatternChange change);

    // A cell flipped on a board of `rows`: folded into the newest change when
    // `extendNewest` (the same drawing stroke) and there is one, else kept as a new change.
    void recordToggle(const Life& life, bool added, std::int64_t rows, bool extendNewest);

    // The change to apply backwards, moved to the redo side; nullptr when there is none.
    // Valid until the next call that changes the history.
    const PatternChange* undo();
    // The change to apply forwards, moved back to the undo side; nullptr when there is none.
    const PatternChange* redo();

    std::size_t undoCount() const { return undo_.size(); }
    std::size_t redoCount() const { return redo_.size(); }
    std::size_t depth() const { return depth_; }

private:
    std::size_t depth_;
    std::deque<PatternChange> undo_;  // oldest first
    std::vector<PatternChange> redo_;  // the next to redo last
};

}  // namespace cellarium
