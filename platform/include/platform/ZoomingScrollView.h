#pragma once

#include "platform/PlatformExport.h"

#include <QElapsedTimer>
#include <QGraphicsView>
#include <QPointer>
#include <QTimer>
#include <QVariantAnimation>

namespace platform {

// A scroll view that zooms its one content item between a minimum and a maximum
// scale, scrolls with momentum and reports taps and drawing drags on the content.
//
// Input: a finger (or the left mouse button) that lifts without moving is a tap,
// however soon it follows the last one (a double-click is two taps), unless it
// came down to stop a flick: that touch only stops it.
// One moving finger scrolls when one finger is enough to scroll
// (panMinimumTouches() == 1), and draws otherwise; two fingers scroll and pinch
// in both modes, and so does the middle mouse button (scroll) and Ctrl+wheel
// (zoom about the pointer). The wheel scrolls.
//
// The content offset is the visible area's top-left corner in zoomed content
// points, as the board's centring arithmetic expects. Main thread only.
class PLATFORM_EXPORT ZoomingScrollView : public QGraphicsView {
    Q_OBJECT

public:
    explicit ZoomingScrollView(QWidget* parent = nullptr);

    // The zoomed content: the view's scene owns the item from now on and deletes it
    // with the view. The content's bounding rect is the scrollable area.
    void setContentItem(QGraphicsItem* item);
    QGraphicsItem* contentItem() const { return content_; }
    void contentSizeChanged();

    qreal zoomScale() const { return zoom_; }
    qreal minimumZoomScale() const { return minimumZoom_; }
    qreal maximumZoomScale() const { return maximumZoom_; }
    void setMinimumZoomScale(qreal scale) { minimumZoom_ = scale; }
    void setMaximumZoomScale(qreal scale) { maximumZoom_ = scale; }
    // Zooms about the centre of the visible area, within the limits.
    void setZoomScale(qreal scale, bool animated);
    // The zoom a request for `scale` reaches: within the limits, the minimum winning.
    qreal clampZoom(qreal scale) const;

    QPointF contentOffset() const;
    // Scrolls, within the content, and ends a flick. While an animated zoom runs, an animated scroll
    // joins it: both end together at the new scale and offset.
    void setContentOffset(QPointF offset, bool animated);

    int panMinimumTouches() const { return panMinimumTouches_; }
    void setPanMinimumTouches(int touches) { panMinimumTouches_ = touches; }

    bool isAnimating() const { return animation_.state() == QAbstractAnimation::Running; }
    // Whether the content still glides on after a flick.
    bool isFlicking() const { return momentum_.isActive(); }

    static constexpr int animationDurationMs = 300;
    // Movement, in points, after which a touch is a drag and no longer a tap.
    static constexpr qreal tapSlop = 8;

signals:
    // Every change of the zoom scale, from code, animation or gesture.
    void didZoom();
    void tapped(QPointF contentPosition);
    // A one-finger drawing drag: called for its start, every move and its end.
    void drawingDragMoved(QPointF contentPosition);

protected:
    bool viewportEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    enum class Gesture { None, Pending, Scrolling, Drawing, TwoFinger };

    // Sets the zoom keeping `anchor` (a viewport point) over the same content point.
    void zoomAbout(qreal scale, QPointF anchor);
    void applyZoom(qreal scale);
    void scrollBy(QPointF delta);
    QPointF contentPositionAt(QPointF viewportPoint) const;

    void oneFingerPressed(QPointF point);
    void oneFingerMoved(QPointF point);
    void oneFingerReleased(QPointF point);
    void twoFingers(QPointF centre, qreal spread);
    void startMomentum();

    QGraphicsScene scene_;
    QGraphicsItem* content_ = nullptr;
    qreal zoom_ = 1;
    qreal minimumZoom_ = 1;
    qreal maximumZoom_ = 1;
    int panMinimumTouches_ = 1;

    Gesture gesture_ = Gesture::None;
    QPointF pressPoint_;
    bool pressStoppedFlick_ = false;
    QPointF lastPoint_;
    QPointF lastCentre_;
    qreal lastSpread_ = 0;
    QPointF velocity_;  // points per millisecond
    QElapsedTimer moveClock_;

    void animateTo(qreal zoom, QPointF offset);
    void setOffsetNow(QPointF offset);
    QPointF offsetKeepingCentre(qreal zoom) const;

    // One animation moves zoom and offset together from start to end.
    QVariantAnimation animation_;
    qreal startZoom_ = 1;
    qreal endZoom_ = 1;
    QPointF startOffset_;
    QPointF endOffset_;
    QTimer momentum_;
};

}  // namespace platform
