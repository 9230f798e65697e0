#include "board/BoardViewport.h"

#include "board/BoardControls.h"
#include "board/LifeView.h"
#include "model/BoardGeometry.h"

#include "platform/ZoomingScrollView.h"

#include <QTimer>

#include <algorithm>

using cellarium::BoardGeometry;

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
