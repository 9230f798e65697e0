#pragma once

#include "model/Life.h"
#include "model/LifeSet.h"

#include <cstdint>
#include <optional>

namespace cellarium {

// The board's pattern (`lifes`) and the start pattern a restart returns to
// (`initLifes`): remembered by the first start after launch or a clear, set by a
// load, forgotten by a clear, shifted with the pattern. Every cell has both
// coordinates.
class BoardPattern {
public:
    explicit BoardPattern(LifeSet lifes = {});
    // A pattern as it was kept, with its start pattern (a restored board).
    BoardPattern(LifeSet lifes, std::optional<LifeSet> initLifes);

    const LifeSet& lifes() const { return lifes_; }
    const std::optional<LifeSet>& initLifes() const { return initLifes_; }

    // A generation applied: the start pattern stays.
    void advanceTo(LifeSet next) { lifes_ = std::move(next); }

    // Flips a cell; true when it was added, false when it was removed.
    bool toggle(const Life& life);

    // At a start of the simulation: the pattern becomes the start pattern unless one is kept.
    void rememberStart();

    // Back to the start pattern; false, changing nothing, when there is none.
    bool restart();

    void clear();

    // Both the pattern and the start pattern; cells lacking a coordinate are dropped.
    void load(const LifeSet& lifes);

    // Both sets as given: an undo or redo puts back a state recorded earlier.
    void restore(LifeSet lifes, std::optional<LifeSet> initLifes)
    {
        lifes_ = std::move(lifes);
        initLifes_ = std::move(initLifes);
    }

    // Both sets moved by (d, d), as a board-size change re-centres them.
    void shift(std::int64_t d);

private:
    LifeSet lifes_;
    std::optional<LifeSet> initLifes_;
};

}  // namespace cellarium
