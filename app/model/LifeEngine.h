#pragma once

#include "LifeEngineKernel.h"
#include "LifeSet.h"

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
// generation.
//
// Not thread-safe; one engine per thread. Memory is about rows² / 4 bytes.
class LifeEngine {
public:
    // The largest board the engine takes.
    static constexpr std::int64_t kMaxRows = 16384;

    // Precondition: 1 ≤ rows ≤ kMaxRows (use nextGeneration outside that range).
    LifeEngine(const LifeSet& lifes, std::int64_t rows);

    // Advances one generation.
    void step();
    // Advances `generations` generations; once the pattern repeats with period 1
    // or 2 the rest costs nothing.
    void run(std::int64_t generations);

    // Generations advanced since construction.
    std::int64_t generation() const { return generation_; }
    // True when the last step changed nothing.
    bool isStill() const { return still_; }
    // True when the pattern repeats with period 1 or 2 from here on.
    bool isPeriodTwo() const { return periodTwo_; }

    // The current generation as nextGeneration would have returned it: the
    // cells of the window and the births one line outside it. Before the first
    // step, the set the engine was built from.
    LifeSet lifes() const;

    // Live cells inside the window.
    std::size_t windowCount() const;

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
};

}  // namespace cellarium
