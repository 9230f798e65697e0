#pragma once

#include "model/LifeSet.h"

#include <QColor>
#include <QImage>

#include <cstdint>
#include <optional>
#include <string>

namespace cellarium {

// What a thumbnail is drawn from, read on the main thread before the drawing starts.
struct ArchiveThumbnailInputs {
    std::string lifeData;   // the record's bytes
    double side = 0;        // the image's side in points: the cell's it is shown in
    double scale = 1;       // pixels per point: the device pixel ratio of the screen the cell is on
    double lifeWidth = 0;   // the board's cell side in points, as now
    double contentWidth = 0;  // the board's side in points, as now
    QColor color;           // the label colour, resolved now
};

struct ArchiveThumbnail {
    QImage image;            // side × side points at the scale, transparent but for the cells
    std::size_t cellCount = 0;  // cells of the decoded pattern, placed or not
};

// Decodes the bytes and draws the live cells as the board's snapshot does, the
// board's top-left corner at the image's: a cell (x, y) is the square from
// (x, y) · side ÷ rows with side side ÷ rows, in points. Cells outside the board
// fall outside the image; cells lacking a coordinate are not drawn. Squares are
// filled pixel-aligned and unblended, so neighbours meet without seams.
// nullopt when the bytes do not decode, or when there is not the memory to decode
// them or to hold the image (never std::bad_alloc). Any thread: it touches nothing shared.
std::optional<ArchiveThumbnail> renderArchiveThumbnail(const ArchiveThumbnailInputs& inputs);

// The same drawing for a set already decoded.
QImage drawArchiveThumbnail(const LifeSet& lifes, const ArchiveThumbnailInputs& inputs);

}  // namespace cellarium
