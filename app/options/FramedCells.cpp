#include "options/FramedCells.h"

#include <algorithm>
#include <cstring>

namespace {

// Grid lines as faint as the board's: they show the cells' size without competing with them.
constexpr double gridOpacity = 0.18;

}  // namespace

FramedCells::Colours FramedCells::transparent(const QColor& cell)
{
    QColor grid = cell;
    grid.setAlphaF(float(gridOpacity * cell.alphaF()));
    return {qRgba(0, 0, 0, 0), grid.rgba(), cell.rgba()};
}

FramedCells::Colours FramedCells::opaque(const QColor& cell, const QColor& background)
{
    auto mix = [](int over, int under, double a) { return int(std::lround(over * a + under * (1 - a))); };
    const double a = gridOpacity;
    const QRgb grid = qRgb(mix(cell.red(), background.red(), a), mix(cell.green(), background.green(), a),
                           mix(cell.blue(), background.blue(), a));
    return {qRgb(background.red(), background.green(), background.blue()), grid,
            qRgb(cell.red(), cell.green(), cell.blue())};
}

QImage FramedCells::draw(const cellarium::LifeSet& lifes, const cellarium::PictureFrame& frame, const Colours& colours)
{
    const std::int64_t width = frame.widthPixels();
    const std::int64_t height = frame.heightPixels();
    if (width <= 0 || height <= 0 || width > 1 << 15 || height > 1 << 15)
        return {};
    QImage image(int(width), int(height), QImage::Format_Indexed8);
    if (image.isNull())
        return image;
    image.setColorTable({colours.background, colours.grid, colours.cell});
    image.fill(uint(backgroundIndex));
    const int side = frame.cellPixels;
    if (frame.gridLines) {
        // A line a sixteenth of a cell wide still shows when the picture is shown shrunk.
        const int lineWidth = std::max(1, side / 16);
        for (int y = 0; y < image.height(); ++y) {
            uchar* line = image.scanLine(y);
            if (y % side < lineWidth) {
                std::memset(line, gridIndex, size_t(image.width()));
                continue;
            }
            for (int x = 0; x < image.width(); x += side)
                std::memset(line + x, gridIndex, size_t(lineWidth));
        }
    }
    const cellarium::CellBox& box = frame.cells;
    lifes.forEachPlaced([&](std::int64_t x, std::int64_t y) {
        const std::int64_t column = x - box.left, row = y - box.top;
        if (column < 0 || row < 0 || column >= box.columns || row >= box.rows)
            return;
        const int left = int(column) * side, top = int(row) * side;
        for (int r = top; r < top + side; ++r)
            std::memset(image.scanLine(r) + left, cellIndex, size_t(side));
    });
    return image;
}
