#pragma once

#include "board/BoardDrawing.h"

#include <QImage>

#include <functional>

class QObject;

// The board picture the options screen hands to the picture screen, drawn on a pool
// thread (filling up to a whole 760 board of squares takes far longer than a frame):
// the live cells framed as framedPicture() draws them; for an empty board, the
// empty board's snapshot, a transparent square of the main screen's larger side.
// Main thread only, but for framedPicture().
class BoardPictureDrawing {
public:
    // Starts drawing `snapshot` unless a drawing started for `owner` is still under
    // way (then false: one picture at a time). `done` runs on the main thread with the
    // picture, unless `owner` is gone by then.
    static bool start(QObject& owner, BoardSnapshot snapshot, std::function<void(const QImage&)> done);

    // The live cells' box with a margin, in the pattern's proportions, each cell a
    // square of whole pixels (model/PictureFrame.h), in the snapshot's colour on
    // transparency; a null image for a snapshot without placed cells. Any thread.
    static QImage framedPicture(const BoardSnapshot& snapshot);

    BoardPictureDrawing() = delete;
};
