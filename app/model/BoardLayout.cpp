#include "model/BoardLayout.h"

#include <cmath>

namespace cellarium {

std::vector<double> gridLineOffsets(std::int64_t rows, double lifeWidth)
{
    std::vector<double> offsets;
    if (rows < 0)
        return offsets;
    offsets.reserve(static_cast<std::size_t>(rows) + 1);
    const std::int64_t half = rows / 2 + (rows % 2 != 0 ? 1 : 0);
    for (std::int64_t i = 0; i <= half; ++i) {
        const double a = lifeWidth * static_cast<double>(i);
        const double b = lifeWidth * static_cast<double>(rows - i);
        if (a <= b) {
            offsets.push_back(a);
            if (a != b)
                offsets.push_back(b);
        }
    }
    return offsets;
}

std::optional<Life> lifeAtPoint(double x, double y, double lifeWidth)
{
    const double qx = std::trunc(x / lifeWidth);
    const double qy = std::trunc(y / lifeWidth);
    // 2^63 is exactly representable; every double below it in magnitude fits.
    constexpr double kLimit = 9223372036854775808.0;
    if (!std::isfinite(qx) || !std::isfinite(qy) || std::fabs(qx) >= kLimit || std::fabs(qy) >= kLimit)
        return std::nullopt;
    return Life{static_cast<std::int64_t>(qx), static_cast<std::int64_t>(qy)};
}

}  // namespace cellarium
