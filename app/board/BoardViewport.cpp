#include "board/BoardViewport.h"

#include "board/BoardControls.h"
#include "board/LifeView.h"
#include "model/BoardGeometry.h"
#include "model/LifeSet.h"

#include "platform/ZoomingScrollView.h"

#include <QTimer>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

using cellarium::BoardGeometry;

namespace {

// The live cells' bounding box in unzoomed content points; none for an empty board.
std::optional<QRectF> cellBounds(const cellarium::LifeSet& lifes, double lifeWidth)
{
    std::int64_t left = std::numeric_limits<std::int64_t>::max(), top = left;
    std::int64_t right = std::numeric_limits<std::int64_t>::min(), bottom = right;
    lifes.forEachPlaced([&](std::int64_t x, std::int64_t y) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    });
    if (left > right)
        return std::nullopt;
    return QRectF(QPointF(double(left) * lifeWidth, double(top) * lifeWidth),
                  QPointF(double(right + 1) * lifeWidth, double(bottom + 1) * lifeWidth));
}

}  // namespace

BoardViewport::BoardViewport(platform::ZoomingScrollView& scrollView, LifeView& contentView, DelayedWork delayedWork)
    : scrollView_(scrollView)
    , contentView_(contentView)
    , delayedWork_(std::move(delayedWork))
{
}

void BoardViewport::configureZoomLimits(const BoardGeometry& g)
{
    scrollView_.setMaximumZoomScale(g.maxScale());
    scrollView_.setMinimumZoomScale(std::max(g.mainScreenWidth(), g.mainScreenHeight()) / g.contentWidth());
    contentView_.setContentSide(g.contentWidth());
    scrollView_.contentSizeChanged();
}

double BoardViewport::gridOpacity(double zoom) const
{
    return zoom / (scrollView_.maximumZoomScale() - scrollView_.minimumZoomScale());
}

double BoardViewport::gridOpacity() const
{
    return gridOpacity(scrollView_.zoomScale());
}

double BoardViewport::workingZoom() const
{
    return scrollView_.clampZoom(defaultScale);
}

QPointF BoardViewport::centredOffset(const BoardGeometry& g, double zoom) const
{
    return {(g.contentWidth() * zoom - g.mainScreenWidth()) / 2, (g.contentWidth() * zoom - g.mainScreenHeight()) / 2};
}

double BoardViewport::reset(const BoardGeometry& g, QObject* context)
{
    scrollView_.setZoomScale(1.0, false);
    scrollView_.setContentOffset(centredOffset(g, scrollView_.zoomScale()), false);
    delayedWork_(resetZoomDelayMs, context, [this, framing = ++framing_] {
        if (framing == framing_)  // no later reset or restored view took its place
            scrollView_.setZoomScale(defaultScale, true);
    });
    return gridOpacity(workingZoom());
}

double BoardViewport::show(double zoom, QPointF offset)
{
    ++framing_;  // a reset's working zoom, still to come, would undo this
    scrollView_.setZoomScale(zoom, false);
    scrollView_.setContentOffset(offset, false);
    return gridOpacity();
}

void BoardViewport::zoomToDefault(const BoardGeometry& g)
{
    const double zoom = workingZoom();
    if (scrollView_.zoomScale() != zoom)
        scrollView_.setZoomScale(zoom, true);
    scrollView_.setContentOffset(centredOffset(g, zoom), true);
}

QPointF BoardViewport::offsetCentring(QPointF point, double zoom) const
{
    const QSize visible = scrollView_.viewport()->size();
    return point * zoom - QPointF(visible.width(), visible.height()) / 2;
}

void BoardViewport::zoomToDefaultShowing(const cellarium::LifeSet& lifes, const BoardGeometry& g)
{
    const std::optional<QRectF> cells = cellBounds(lifes, g.lifeWidth());
    if (!cells) {
        zoomToDefault(g);
        return;
    }
    const double zoom = workingZoom();
    // The board stays centred when that shows the whole pattern; otherwise the pattern is.
    QPointF offset = centredOffset(g, zoom);
    const QSize visible = scrollView_.viewport()->size();
    const QRectF shown(offset / zoom, QSizeF(visible.width(), visible.height()) / zoom);
    if (!shown.contains(*cells))
        offset = offsetCentring(cells->center(), zoom);
    if (scrollView_.zoomScale() != zoom)
        scrollView_.setZoomScale(zoom, true);
    scrollView_.setContentOffset(offset, true);
}

void BoardViewport::showCells(const cellarium::LifeSet& lifes, const BoardGeometry& g)
{
    const std::optional<QRectF> cells = cellBounds(lifes, g.lifeWidth());
    if (!cells)
        return;
    const QSize visible = scrollView_.viewport()->size();
    double zoom = scrollView_.zoomScale();
    // A little room around the cells, so that the outermost are not on the edge.
    const double fits = 0.9 * std::min(visible.width() / cells->width(), visible.height() / cells->height());
    if (zoom > fits) {
        zoom = scrollView_.clampZoom(fits);
        scrollView_.setZoomScale(zoom, true);
    }
    scrollView_.setContentOffset(offsetCentring(cells->center(), zoom), true);
}

void BoardViewport::zoomIn()
{
    scrollView_.setZoomScale(scrollView_.zoomScale() * keyZoomStep, true);
}

void BoardViewport::zoomOut()
{
    scrollView_.setZoomScale(scrollView_.zoomScale() / keyZoomStep, true);
}

void BoardViewport::zoomToWorkingZoom()
{
    scrollView_.setZoomScale(workingZoom(), true);
}

void BoardViewport::runAfterDelay(int ms, QObject* context, std::function<void()> work)
{
    QTimer::singleShot(ms, context, std::move(work));
}

void BoardViewport::followZoomKeys(BoardControls& controls)
{
    QObject::connect(&controls, &BoardControls::zoomInPressed, &controls, [this] { zoomIn(); });
    QObject::connect(&controls, &BoardControls::zoomOutPressed, &controls, [this] { zoomOut(); });
    QObject::connect(&controls, &BoardControls::zoomResetPressed, &controls, [this] { zoomToWorkingZoom(); });
}
