#include "model/LifeShift.h"

namespace cellarium {

LifeSet shifted(const LifeSet& lifes, std::int64_t d)
{
    LifeSet moved;
    lifes.forEachPlaced([&](std::int64_t x, std::int64_t y) {
        std::int64_t mx = 0;
        std::int64_t my = 0;
        if (!__builtin_add_overflow(x, d, &mx) && !__builtin_add_overflow(y, d, &my))
            moved.insert({mx, my});
    });
    return moved;
}

}  // namespace cellarium
