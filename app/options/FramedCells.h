#pragma once

#include "model/LifeSet.h"
#include "model/PictureFrame.h"

#include <QColor>
#include <QImage>
#include <QList>

// The live cells of a framed picture (model/PictureFrame.h) drawn as an 8-bit image
// of three colours: each cell in the frame a cellPixels × cellPixels square of
// `cell`, the rest `background`, with a `grid` line (a sixteenth of a cell, at least
// one pixel) along the top and left of every cell when the frame shows grid lines. Cells outside the frame are not
// drawn. The board picture and each frame of the board's animation are drawn by it,
// so both show the cells alike. Any thread: it reads only its arguments.
class FramedCells {
public:
    enum Index : uchar { backgroundIndex = 0, gridIndex = 1, cellIndex = 2 };

    struct Colours {
        QRgb background;
        QRgb grid;
        QRgb cell;
    };
    // For a picture laid on any background: transparent but for the cells and a faint grid.
    static Colours transparent(const QColor& cell);
    // For a format without partial transparency (GIF): the grid blended onto `background`.
    static Colours opaque(const QColor& cell, const QColor& background);

    // A null image when there is not the memory for it.
    static QImage draw(const cellarium::LifeSet& lifes, const cellarium::PictureFrame& frame, const Colours& colours);

    FramedCells() = delete;
};
