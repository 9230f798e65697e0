#pragma once

#include "model/CycleFinder.h"
#include "model/LifeEngineKernel.h"
#include "model/LifeSet.h"

#include <cstdint>
#include <vector>

namespace cellarium {

// Runs many generations of one pattern on a bounded board, with the same
// results as calling nextGeneration once per generation.
//
// The window (−3 to rows + 3) is kept dense and double-buffered between
// generations, and a live-cell set is only built when lifes() asks for one.
// Tiles of 64 × 32 cells whose neighbourhood is still, or repeats with period
// 2, are not recomputed, so a settled pattern costs almost nothing per
// generation. Every tile's population and hash are kept up to date as it
// changes, so the window's population is known at once, and a repeat of the
// whole window after any period is found (CycleFinder); from then on run()
// skips whole periods.
//
// Not thread-safe; one engine per thread. Memory is about rows² · 3 / 8 bytes.
class LifeEngine {
public:
    // The largest board the engine takes.
    static constexpr std::int64_t kMaxRows = 16384;

    // Precondition: 1 ≤ rows ≤ kMaxRows (use nextGeneration outside that range).
    LifeEngine(const LifeSet& lifes, std::int64_t rows);

    // Advances one generation.
    void step();
    // Advances `generations` (≥ 0) generations; once the pattern repeats, with
    // any period, the rest costs at most one period of steps.
    void run(std::int64_t generations);

    // Generations advanced since construction.
    std::int64_t generation() const { return generation_; }
    // True when the last step changed nothing.
    bool isStill() const { return still_; }
    // True when the pattern repeats with period 1 or 2 from here on.
    bool isPeriodTwo() const { return periodTwo_; }
    // The smallest period with which the window repeats from here on, once it has
    // been seen to repeat; else 0. A still pattern has period 1.
    std::int64_t period() const;

    // The current generation as nextGeneration would have returned it: the
    // cells of the window and the births one line outside it. Before the first
    // step, the set the engine was built from.
    LifeSet lifes() const;

    // Live cells inside the window, counted from scratch (tests).
    std::size_t windowCount() const;
    // The same number, kept as the engine steps: O(1). The births one line
    // outside the window that lifes() reports are not counted; they count for
    // nothing in the next generation.
    std::size_t population() const { return population_; }

private:
    bool liveAt(const std::vector<std::uint64_t>& cells, std::int64_t x, std::int64_t y) const;
    void addBirthsOutsideTheWindow(LifeSet::TileMap& tiles) const;

    std::int64_t boardRows_;
    LifeGrid grid_;
    std::vector<std::uint64_t> cur_;
    std::vector<std::uint64_t> prev_;
    std::vector<std::uint64_t> changed_, changed2_, newChanged_, newChanged2_;
    std::int64_t generation_ = 0;
    bool still_ = false;
    bool periodTwo_ = false;  // generation t + 1 equals t − 1 everywhere
    LifeSet start_;
    // Per tile (column · tileRows + tile): its live cells and its hash in cur_.
    std::vector<std::uint32_t> tileCounts_;
    std::vector<std::uint64_t> tileHashes_;
    std::size_t population_ = 0;
    std::size_t populationBefore_ = 0;  // of the generation before, which prev_ holds
    std::uint64_t hash_ = 0;            // the sum of the tile hashes
    CycleFinder cycle_;
};

}  // namespace cellarium
