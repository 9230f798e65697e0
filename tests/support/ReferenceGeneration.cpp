#include "ReferenceGeneration.h"

namespace cellarium {

namespace {

ReferenceLifeSet neighbourhood(const Life& c)
{
    const std::int64_t x = *c.x;
    const std::int64_t y = *c.y;
    return {{x - 1, y - 1}, {x, y - 1}, {x + 1, y - 1}, {x - 1, y}, {x + 1, y}, {x - 1, y + 1}, {x, y + 1}, {x + 1, y + 1}};
}

std::size_t liveIn(const ReferenceLifeSet& cells, const ReferenceLifeSet& live)
{
    std::size_t k = 0;
    for (const Life& c : cells)
        k += live.contains(c) ? 1 : 0;
    return k;
}

}  // namespace

ReferenceLifeSet referenceNextGeneration(const ReferenceLifeSet& lifes, std::int64_t rows)
{
    const std::int64_t lo = -3;
    const std::int64_t hi = rows + 3;

    ReferenceLifeSet inWindow;
    for (const Life& c : lifes) {
        if (c.isPlaced() && *c.x >= lo && *c.x <= hi && *c.y >= lo && *c.y <= hi)
            inWindow.insert(c);
    }

    ReferenceLifeSet candidates;
    ReferenceLifeSet next;
    for (const Life& c : inWindow) {
        const ReferenceLifeSet around = neighbourhood(c);
        candidates.insert(around.begin(), around.end());
        const std::size_t k = liveIn(around, inWindow);
        if (k == 2 || k == 3)
            next.insert(c);
    }
    for (const Life& c : inWindow)
        candidates.erase(c);
    for (const Life& d : candidates) {
        if (liveIn(neighbourhood(d), inWindow) == 3)
            next.insert(d);
    }
    return next;
}

}  // namespace cellarium
