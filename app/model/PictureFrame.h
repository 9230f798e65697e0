#pragma once

#include "model/LifeSet.h"

#include <cstdint>
#include <optional>

namespace cellarium {

// A rectangle of cells: `columns` × `rows` from (left, top), both at least 1.
struct CellBox {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t columns = 1;
    std::int64_t rows = 1;
    friend bool operator==(const CellBox&, const CellBox&) = default;
};

// The smallest box holding every placed cell of `lifes`; nullopt when it has none.
// Cells lacking a coordinate are not drawn anywhere, so they do not count.
std::optional<CellBox> boundingBox(const LifeSet& lifes);
// The smallest box holding both.
CellBox unite(const CellBox& a, const CellBox& b);

// How a picture frames its cells.
struct PictureFraming {
    std::int64_t marginCells = 3;   // empty cells around the live ones on every side
    std::int64_t minLongSide = 1024;  // pixels the long side reaches when cells of at least 1 pixel allow
    std::int64_t maxLongSide = 4096;  // pixels the long side stays within while cells can shrink
    int gridFromCellPixels = 8;   // cells this large or larger show grid lines
};

// A picture of `cells` in the pattern's own proportions: each cell a square of
// `cellPixels` whole pixels, so that no cell is blurred or lost.
struct PictureFrame {
    CellBox cells;       // the live cells' box with the margin
    int cellPixels = 1;  // at least 1
    bool gridLines = false;
    std::int64_t widthPixels() const { return cells.columns * cellPixels; }
    std::int64_t heightPixels() const { return cells.rows * cellPixels; }
    friend bool operator==(const PictureFrame&, const PictureFrame&) = default;
};

// Frames `box` by `framing`: the box grown by the margin, with the whole number of
// pixels per cell that brings the long side to minLongSide or just past it, fewer if
// that would pass maxLongSide, and never fewer than one.
PictureFrame framePicture(const CellBox& box, const PictureFraming& framing = {});

}  // namespace cellarium
