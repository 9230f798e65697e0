#pragma once

#include "FennelKitExport.h"
#include "RandomLoop.h"

#include <QColor>
#include <QList>
#include <QPointF>
#include <QWidget>

class QTimer;

namespace fennelkit {

class ShapeLayer;

// Every 10 seconds draws one new random closed loop in screen coordinates,
// fades it in over 1 s, traces it over 9 s and fades it out from 9.2 s. Idle
// (no timer, no loop) until createTimer(). Main thread only.
//
// Precondition: the screen is finite and at least 2 points each way;
// otherwise construction stops the process.
class FENNELKIT_EXPORT AnimationView : public QWidget {
    Q_OBJECT

public:
    static constexpr int tickIntervalMs = 10000;
    static constexpr int fadeInMs = 1000;
    static constexpr int traceMs = 9000;
    static constexpr int fadeOutDelayMs = 9200;
    static constexpr int fadeOutMs = 1000;
    static constexpr qreal lineWidth = 2.0;
    static constexpr qreal strokeAlpha = 0.2;

    // Uses the cached screen size (screenWidth, screenHeight).
    explicit AnimationView(QWidget* parent = nullptr);
    // Uses the given loop generator, e.g. one with a fixed seed.
    explicit AnimationView(const RandomLoop& loop, QWidget* parent = nullptr);
    ~AnimationView() override;

    // The colour of the next loop; the current loop keeps its colour.
    QColor color() const { return color_; }
    void setColor(const QColor& color) { color_ = color; }

    // Starts the repeating timer and draws the first loop at once; does
    // nothing when the timer exists already.
    void createTimer();
    QTimer* timer() const { return timer_; }

    // One tick: replaces the current loop by a new one.
    void updateTimer();

    const QList<QPointF>& transitPoints() const { return transitPoints_; }
    // The loops on the view: at most one.
    QList<ShapeLayer*> sublayers() const { return sublayers_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void animateLayer(ShapeLayer* layer);

    RandomLoop loop_;
    QColor color_ = Qt::transparent;
    QTimer* timer_ = nullptr;
    QList<QPointF> transitPoints_;
    QList<ShapeLayer*> sublayers_;
};

}  // namespace fennelkit
