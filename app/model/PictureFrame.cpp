#include "model/PictureFrame.h"

#include <algorithm>

namespace cellarium {

std::optional<CellBox> boundingBox(const LifeSet& lifes)
{
    bool any = false;
    std::int64_t left = 0, top = 0, right = 0, bottom = 0;
    lifes.forEachPlaced([&](std::int64_t x, std::int64_t y) {
        if (!any) {
            left = right = x;
            top = bottom = y;
            any = true;
            return;
        }
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    });
    if (!any)
        return std::nullopt;
    return CellBox{left, top, right - left + 1, bottom - top + 1};
}

CellBox unite(const CellBox& a, const CellBox& b)
{
    const std::int64_t left = std::min(a.left, b.left);
    const std::int64_t top = std::min(a.top, b.top);
    const std::int64_t right = std::max(a.left + a.columns, b.left + b.columns);
    const std::int64_t bottom = std::max(a.top + a.rows, b.top + b.rows);
    return {left, top, right - left, bottom - top};
}

PictureFrame framePicture(const CellBox& box, const PictureFraming& framing)
{
    const std::int64_t margin = std::max<std::int64_t>(0, framing.marginCells);
    const CellBox cells{box.left - margin, box.top - margin, std::max<std::int64_t>(1, box.columns) + 2 * margin,
                        std::max<std::int64_t>(1, box.rows) + 2 * margin};
    const std::int64_t longSide = std::max(cells.columns, cells.rows);
    std::int64_t pixels = (framing.minLongSide + longSide - 1) / longSide;
    if (pixels * longSide > framing.maxLongSide)
        pixels = framing.maxLongSide / longSide;
    pixels = std::clamp<std::int64_t>(pixels, 1, 1 << 16);
    const int cellPixels = static_cast<int>(pixels);
    return {cells, cellPixels, cellPixels >= framing.gridFromCellPixels};
}

}  // namespace cellarium
