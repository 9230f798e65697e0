#include "platform/ZoomingScrollView.h"

#include "platform/ViewController.h"

#include <QGraphicsItem>
#include <QLineF>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QScrollBar>
#include <QTouchEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

constexpr int kMomentumFrameMs = 16;
constexpr qreal kMomentumDecay = 0.95;      // per frame
constexpr qreal kMomentumStopSpeed = 0.02;  // points per millisecond
// A drag's velocity is smoothed over its last moves: this much of the last
// estimate is kept, the rest comes from the newest move.
constexpr qreal kVelocitySmoothing = 0.3;
// A finger that rested this long before lifting throws nothing.
constexpr qint64 kRestBeforeLiftMs = 100;
// Ctrl+wheel: the zoom factor per eighth of a degree of wheel turn.
constexpr qreal kWheelZoomBase = 1.0015;

}  // namespace

ZoomingScrollView::ZoomingScrollView(QWidget* parent)
    : QGraphicsView(parent)
{
    scene_.setItemIndexMethod(QGraphicsScene::NoIndex);
    setScene(&scene_);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTransformationAnchor(QGraphicsView::NoAnchor);
    setResizeAnchor(QGraphicsView::NoAnchor);
    setFrameShape(QFrame::NoFrame);
    setDragMode(QGraphicsView::NoDrag);
    setOptimizationFlags(QGraphicsView::DontSavePainterState | QGraphicsView::DontAdjustForAntialiasing);
    viewport()->setAttribute(Qt::WA_AcceptTouchEvents);

    animation_.setDuration(animationDurationMs);
    animation_.setEasingCurve(QEasingCurve::InOutQuad);
    animation_.setStartValue(0.0);
    animation_.setEndValue(1.0);
    connect(&animation_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        const qreal t = value.toReal();
        applyZoom(startZoom_ + (endZoom_ - startZoom_) * t);
        setOffsetNow(startOffset_ + (endOffset_ - startOffset_) * t);
    });

    momentum_.setInterval(kMomentumFrameMs);
    connect(&momentum_, &QTimer::timeout, this, [this] {
        scrollBy(velocity_ * kMomentumFrameMs);
        velocity_ *= kMomentumDecay;
        if (std::hypot(velocity_.x(), velocity_.y()) < kMomentumStopSpeed)
            momentum_.stop();
    });
}

void ZoomingScrollView::setContentItem(QGraphicsItem* item)
{
    content_ = item;
    scene_.addItem(item);
    contentSizeChanged();
}

void ZoomingScrollView::contentSizeChanged()
{
    if (content_ != nullptr)
        scene_.setSceneRect(content_->boundingRect());
}

qreal ZoomingScrollView::clampZoom(qreal scale) const
{
    return std::clamp(scale, minimumZoom_, std::max(minimumZoom_, maximumZoom_));
}

void ZoomingScrollView::applyZoom(qreal scale)
{
    zoom_ = scale;
    setTransform(QTransform::fromScale(scale, scale));
    emit didZoom();
}

QPointF ZoomingScrollView::contentOffset() const
{
    return {static_cast<qreal>(horizontalScrollBar()->value()), static_cast<qreal>(verticalScrollBar()->value())};
}

void ZoomingScrollView::setOffsetNow(QPointF offset)
{
    horizontalScrollBar()->setValue(qRound(offset.x()));
    verticalScrollBar()->setValue(qRound(offset.y()));
}

QPointF ZoomingScrollView::offsetKeepingCentre(qreal zoom) const
{
    const QPointF half(viewport()->width() / 2.0, viewport()->height() / 2.0);
    const QPointF centre = (contentOffset() + half) / zoom_;
    return centre * zoom - half;
}

void ZoomingScrollView::animateTo(qreal zoom, QPointF offset)
{
    if (!ViewController::animationsEnabled()) {
        animation_.stop();
        applyZoom(zoom);
        setOffsetNow(offset);
        return;
    }
    startZoom_ = zoom_;
    startOffset_ = contentOffset();
    endZoom_ = zoom;
    endOffset_ = offset;
    animation_.stop();
    animation_.start();
}

void ZoomingScrollView::setZoomScale(qreal scale, bool animated)
{
    scale = clampZoom(scale);
    const QPointF offset = offsetKeepingCentre(scale);
    if (animated) {
        animateTo(scale, offset);
    } else {
        animation_.stop();
        applyZoom(scale);
        setOffsetNow(offset);
    }
}

void ZoomingScrollView::setContentOffset(QPointF offset, bool animated)
{
    momentum_.stop();  // a flick gliding on would carry the content away from `offset`
    if (!animated) {
        animation_.stop();
        setOffsetNow(offset);
    } else if (isAnimating()) {
        endOffset_ = offset;  // joins the running zoom
    } else {
        animateTo(zoom_, offset);
    }
}

void ZoomingScrollView::zoomAbout(qreal scale, QPointF anchor)
{
    const QPointF content = (contentOffset() + anchor) / zoom_;
    applyZoom(clampZoom(scale));
    setOffsetNow(content * zoom_ - anchor);
}

void ZoomingScrollView::scrollBy(QPointF delta)
{
    setOffsetNow(contentOffset() + delta);
}

QPointF ZoomingScrollView::contentPositionAt(QPointF viewportPoint) const
{
    const QPointF scenePoint = viewportTransform().inverted().map(viewportPoint);
    return content_ != nullptr ? content_->mapFromScene(scenePoint) : scenePoint;
}

void ZoomingScrollView::oneFingerPressed(QPointF point)
{
    pressStoppedFlick_ = momentum_.isActive();
    momentum_.stop();
    animation_.stop();
    gesture_ = Gesture::Pending;
    pressPoint_ = lastPoint_ = point;
    velocity_ = {};
    moveClock_.start();
}

void ZoomingScrollView::oneFingerMoved(QPointF point)
{
    if (gesture_ == Gesture::Pending) {
        if (QLineF(pressPoint_, point).length() <= tapSlop)
            return;
        gesture_ = panMinimumTouches_ <= 1 ? Gesture::Scrolling : Gesture::Drawing;
    }
    if (gesture_ == Gesture::Scrolling) {
        const QPointF delta = lastPoint_ - point;
        scrollBy(delta);
        const qreal ms = std::max<qint64>(1, moveClock_.restart());
        velocity_ = velocity_ * kVelocitySmoothing + (delta / ms) * (1 - kVelocitySmoothing);
    } else if (gesture_ == Gesture::Drawing) {
        emit drawingDragMoved(contentPositionAt(point));
    }
    lastPoint_ = point;
}

void ZoomingScrollView::oneFingerReleased(QPointF point)
{
    switch (gesture_) {
    case Gesture::Pending:
        if (!pressStoppedFlick_)
            emit tapped(contentPositionAt(point));
        break;
    case Gesture::Scrolling:
        oneFingerMoved(point);
        if (moveClock_.elapsed() < kRestBeforeLiftMs)
            startMomentum();
        break;
    case Gesture::Drawing:
        emit drawingDragMoved(contentPositionAt(point));
        break;
    default:
        break;
    }
    gesture_ = Gesture::None;
}

void ZoomingScrollView::twoFingers(QPointF centre, qreal spread)
{
    if (gesture_ != Gesture::TwoFinger) {
        momentum_.stop();
        animation_.stop();
        gesture_ = Gesture::TwoFinger;
    } else {
        scrollBy(lastCentre_ - centre);
        if (lastSpread_ > 0 && spread > 0)
            zoomAbout(zoom_ * spread / lastSpread_, centre);
    }
    lastCentre_ = centre;
    lastSpread_ = spread;
}

void ZoomingScrollView::startMomentum()
{
    if (std::hypot(velocity_.x(), velocity_.y()) >= kMomentumStopSpeed)
        momentum_.start();
}

bool ZoomingScrollView::viewportEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel: {
        auto* touch = static_cast<QTouchEvent*>(event);
        const QList<QEventPoint>& points = touch->points();
        if (event->type() == QEvent::TouchCancel) {
            gesture_ = Gesture::None;
        } else if (points.size() >= 2) {
            const QPointF a = points[0].position();
            const QPointF b = points[1].position();
            twoFingers((a + b) / 2, QLineF(a, b).length());
        } else if (points.size() == 1 && gesture_ != Gesture::TwoFinger) {
            const QEventPoint& point = points[0];
            if (point.state() == QEventPoint::Pressed)
                oneFingerPressed(point.position());
            else if (point.state() == QEventPoint::Released)
                oneFingerReleased(point.position());
            else
                oneFingerMoved(point.position());
        }
        if (event->type() == QEvent::TouchEnd)
            gesture_ = Gesture::None;  // a lifted pinch ends here too
        event->accept();
        return true;
    }
    case QEvent::NativeGesture: {
        auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture) {
            zoomAbout(zoom_ * (1 + gesture->value()), gesture->position());
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QGraphicsView::viewportEvent(event);
}

void ZoomingScrollView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        oneFingerPressed(event->position());
    } else if (event->button() == Qt::MiddleButton) {
        momentum_.stop();
        gesture_ = Gesture::TwoFinger;
        lastCentre_ = event->position();
        lastSpread_ = 0;
    }
    event->accept();
}

void ZoomingScrollView::mouseMoveEvent(QMouseEvent* event)
{
    if (gesture_ == Gesture::TwoFinger)
        twoFingers(event->position(), 0);
    else if (gesture_ != Gesture::None)
        oneFingerMoved(event->position());
    event->accept();
}

void ZoomingScrollView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && gesture_ != Gesture::TwoFinger)
        oneFingerReleased(event->position());
    else if (event->button() == Qt::MiddleButton)
        gesture_ = Gesture::None;
    event->accept();
}

void ZoomingScrollView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Qt sends this for the second of two quick clicks, with or without the press
    // before it; either way it starts a tap of its own.
    if (event->button() == Qt::LeftButton && gesture_ == Gesture::None)
        oneFingerPressed(event->position());
    event->accept();
}

void ZoomingScrollView::wheelEvent(QWheelEvent* event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        zoomAbout(zoom_ * std::pow(kWheelZoomBase, event->angleDelta().y()), event->position());
        event->accept();
        return;
    }
    QGraphicsView::wheelEvent(event);
}

}  // namespace platform
