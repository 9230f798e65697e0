#pragma once

#include "board/BoardDrawing.h"

#include <QImage>

#include <functional>

class QObject;

// The board picture the options screen hands to the picture screen: the board's
// snapshot on a square of the main screen's larger side, drawn on a pool thread
// (filling up to a whole 760 board of squares takes far longer than a frame).
// Main thread only.
class BoardPictureDrawing {
public:
    // Starts drawing `snapshot` unless a drawing started for `owner` is still under
    // way (then false: one picture at a time). `done` runs on the main thread with the
    // picture, unless `owner` is gone by then.
    static bool start(QObject& owner, BoardSnapshot snapshot, std::function<void(const QImage&)> done);

    BoardPictureDrawing() = delete;
};
