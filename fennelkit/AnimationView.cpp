#include "AnimationView.h"

#include "ScreenMetrics.h"
#include "ShapeLayer.h"

#include <QPaintEvent>
#include <QPainter>
#include <QParallelAnimationGroup>
#include <QPauseAnimation>
#include <QPropertyAnimation>
#include <QSequentialAnimationGroup>
#include <QTimer>

namespace fennelkit {

namespace {

QPropertyAnimation* propertyAnimation(ShapeLayer* layer, const char* property, qreal from, qreal to, int durationMs)
{
    auto* animation = new QPropertyAnimation(layer, property);
    animation->setStartValue(from);
    animation->setEndValue(to);
    animation->setDuration(durationMs);
    return animation;
}

}  // namespace

AnimationView::AnimationView(QWidget* parent)
    : AnimationView(RandomLoop(LoopGeometry(screenWidth(), screenHeight())), parent)
{
}

AnimationView::AnimationView(const RandomLoop& loop, QWidget* parent) : QWidget(parent), loop_(loop)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

AnimationView::~AnimationView() = default;

void AnimationView::createTimer()
{
    if (timer_)
        return;
    timer_ = new QTimer(this);
    timer_->setInterval(tickIntervalMs);
    connect(timer_, &QTimer::timeout, this, &AnimationView::updateTimer);
    updateTimer();
    timer_->start();
}

void AnimationView::updateTimer()
{
    // The previous loop goes at once, even in the middle of its fade-out.
    for (ShapeLayer* layer : std::as_const(sublayers_)) {
        update(layer->boundingRect().toAlignedRect());
        delete layer;
    }
    sublayers_.clear();

    transitPoints_ = loop_.makeTransitPoints();
    auto* layer = new ShapeLayer(loop_.makePath(transitPoints_), this);
    layer->setLineWidth(lineWidth);
    QColor stroke = color_;
    stroke.setAlphaF(strokeAlpha);
    layer->setStrokeColor(stroke);
    layer->setOpacity(0);
    layer->setStrokeEnd(0);
    connect(layer, &ShapeLayer::changed, this, [this, layer] { update(layer->boundingRect().toAlignedRect()); });
    sublayers_ << layer;
    animateLayer(layer);
    update(layer->boundingRect().toAlignedRect());
}

void AnimationView::animateLayer(ShapeLayer* layer)
{
    auto* group = new QParallelAnimationGroup(layer);
    group->addAnimation(propertyAnimation(layer, "opacity", 0, 1, fadeInMs));
    group->addAnimation(propertyAnimation(layer, "strokeEnd", 0, 1, traceMs));
    auto* fadeOut = new QSequentialAnimationGroup;
    fadeOut->addPause(fadeOutDelayMs);
    fadeOut->addAnimation(propertyAnimation(layer, "opacity", 1, 0, fadeOutMs));
    group->addAnimation(fadeOut);
    group->start(QAbstractAnimation::DeleteWhenStopped);
}

void AnimationView::paintEvent(QPaintEvent*)
{
    if (sublayers_.isEmpty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const ShapeLayer* layer : std::as_const(sublayers_))
        layer->paint(painter);
}

}  // namespace fennelkit
