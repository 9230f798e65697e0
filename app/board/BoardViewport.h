#pragma once

#include <QPointF>

#include <cstdint>

#include <functional>

class BoardControls;
class LifeView;
class QObject;
namespace cellarium {
class BoardGeometry;
class LifeSet;
}
namespace platform {
class ZoomingScrollView;
}

// The board's viewport: the zoom limits and the board view's size, the grid's
// opacity for a zoom, the reset that frames the board, and the return to the
// working zoom. Where the screen's scale keeps the zoom from reaching the working
// zoom (a maximum below 1.4), it centres and fades for the zoom actually reached.
// Main thread only.
class BoardViewport {
public:
    static constexpr double defaultScale = 1.4;
    static constexpr int resetZoomDelayMs = 200;

    // Runs `work` on the main thread after `ms` milliseconds unless `context` is gone.
    using DelayedWork = std::function<void(int ms, QObject* context, std::function<void()> work)>;
    // The delayed work outside tests: a single-shot timer.
    static void runAfterDelay(int ms, QObject* context, std::function<void()> work);

    BoardViewport(platform::ZoomingScrollView& scrollView, LifeView& contentView, DelayedWork delayedWork);

    // Maximum zoom = the screen scale; minimum = the screen's longer side over the board's.
    void configureZoomLimits(const cellarium::BoardGeometry& geometry);

    // The grid's opacity at `zoom`: grows linearly with it and is not clamped.
    double gridOpacity(double zoom) const;
    double gridOpacity() const;  // at the current zoom

    // Zoom 1.0 centred at once, then the working zoom, eased in `resetZoomDelayMs`
    // later (the delayed work holds `context`). Returns the grid opacity that belongs
    // to the working zoom.
    double reset(const cellarium::BoardGeometry& geometry, QObject* context);

    // `zoom` (within the limits) and `offset` at once, as a restored board was left.
    // Returns the grid opacity for the zoom reached.
    double show(double zoom, QPointF offset);

    // Eases to the working zoom (if not there) and centres the board.
    void zoomToDefault(const cellarium::BoardGeometry& geometry);

    // Eases to the working zoom (if not there) with the board centred when that shows
    // all of the live cells, and their bounding box centred when it does not: where a
    // loaded pattern is.
    void zoomToDefaultShowing(const cellarium::LifeSet& lifes, const cellarium::BoardGeometry& geometry);
    // Brings the live cells back into view after a flick: their bounding box centred
    // at the current zoom, zoomed out (within the limits) when the box does not fit.
    // Nothing happens on an empty board.
    void showCells(const cellarium::LifeSet& lifes, const cellarium::BoardGeometry& geometry);

    // Keyboard zoom about the middle of the visible area, within the limits.
    static constexpr double keyZoomStep = 1.25;
    void zoomIn();
    void zoomOut();
    void zoomToWorkingZoom();
    // The controls' zoom keys act on this viewport from now on. Both belong to one
    // screen and go with it: no key can come once the viewport is gone.
    void followZoomKeys(BoardControls& controls);

private:
    double workingZoom() const;
    QPointF centredOffset(const cellarium::BoardGeometry& geometry, double zoom) const;
    // The offset that puts `point` (unzoomed content points) in the middle of the visible area.
    QPointF offsetCentring(QPointF point, double zoom) const;

    platform::ZoomingScrollView& scrollView_;
    LifeView& contentView_;
    DelayedWork delayedWork_;
    std::uint64_t framing_ = 0;  // counts resets and shown views: only the latest reset eases in
};
