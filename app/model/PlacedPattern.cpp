#include "model/PlacedPattern.h"

#include "model/BoardSize.h"
#include "model/LifeShift.h"

#include <algorithm>
#include <limits>

namespace cellarium {

namespace {

struct Box {
    std::int64_t minX = std::numeric_limits<std::int64_t>::max();
    std::int64_t minY = std::numeric_limits<std::int64_t>::max();
    std::int64_t maxX = std::numeric_limits<std::int64_t>::min();
    std::int64_t maxY = std::numeric_limits<std::int64_t>::min();
    bool empty() const { return minX > maxX; }
};

Box boxOf(const LifeSet& lifes)
{
    Box box;
    lifes.forEachPlaced([&](std::int64_t x, std::int64_t y) {
        box.minX = std::min(box.minX, x);
        box.maxX = std::max(box.maxX, x);
        box.minY = std::min(box.minY, y);
        box.maxY = std::max(box.maxY, y);
    });
    return box;
}

// Whether the box moved by (d, d) lies on a board of `rows`; no overflow for any box.
bool holds(std::int64_t rows, const Box& box, std::int64_t d)
{
    if (box.empty())
        return true;
    const auto inside = [&](std::int64_t lo, std::int64_t hi) {
        // lo + d >= 0 and hi + d < rows, written so that neither sum can overflow.
        return lo >= -d && hi < rows - d;
    };
    return inside(box.minX, box.maxX) && inside(box.minY, box.maxY);
}

// The first board, `rows` then the larger sizes, that holds `box` once it moves
// with the board's centre from a board of `placedRows` (absolute when empty).
std::optional<std::int64_t> sideHolding(const Box& box, std::int64_t rows, std::optional<std::int64_t> placedRows)
{
    // The sides stay within a few thousand cells, so the shift cannot overflow.
    const auto shiftTo = [&](std::int64_t side) { return placedRows ? side / 2 - *placedRows / 2 : 0; };
    if (holds(rows, box, shiftTo(rows)))
        return rows;
    for (const std::int64_t side : kBoardSizes) {
        if (side > rows && holds(side, box, shiftTo(side)))
            return side;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::int64_t> boardSizeHolding(const LifeSet& lifes, std::int64_t rows)
{
    return sideHolding(boxOf(lifes), rows, std::nullopt);
}

std::optional<PlacedPattern> fitPatternToBoard(const PlacedPattern& pattern, std::int64_t rows)
{
    const std::optional<std::int64_t> side = sideHolding(boxOf(pattern.lifes), rows, pattern.rows);
    if (!side)
        return std::nullopt;
    const std::int64_t d = pattern.rows ? *side / 2 - *pattern.rows / 2 : 0;
    return PlacedPattern(d == 0 ? pattern.lifes.placedOnly() : shifted(pattern.lifes, d), *side);
}

}  // namespace cellarium
