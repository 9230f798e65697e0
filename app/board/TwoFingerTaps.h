#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QTouchEvent;
class QWidget;

// Two-finger taps on a touch surface: two fingers down together that lift without
// moving, within a tap's time. One such tap is `tapped` once the double-tap interval
// has passed without a second; a second within the interval is `doubleTapped`
// instead (and no `tapped` for either). It watches the surface's touch events
// through an event filter and takes none of them, so the surface still scrolls and
// pinches. Lives as long as the surface (its child). Main thread only.
class TwoFingerTaps : public QObject {
    Q_OBJECT

public:
    explicit TwoFingerTaps(QWidget& surface);

    // Movement, in points, after which a finger no longer taps.
    static constexpr qreal slop = 8;
    // The longest the fingers may stay down for a tap.
    static constexpr int longestTapMs = 500;

    // Tests shorten the wait for a second tap; the platform's double-click interval otherwise.
    void setDoubleTapIntervalMs(int ms) { pending_.setInterval(ms); }

signals:
    void tapped();
    void doubleTapped();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void touched(const QTouchEvent& touch);
    void tapEnded();

    int mostFingers_ = 0;
    bool spoiled_ = false;
    QElapsedTimer down_;
    QTimer pending_;  // runs between a first tap and its `tapped`
};
