#include "board/TwoFingerTaps.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLineF>
#include <QStyleHints>
#include <QTouchEvent>
#include <QWidget>

TwoFingerTaps::TwoFingerTaps(QWidget& surface)
    : QObject(&surface)
{
    surface.setAttribute(Qt::WA_AcceptTouchEvents);
    surface.installEventFilter(this);
    pending_.setSingleShot(true);
    pending_.setInterval(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    connect(&pending_, &QTimer::timeout, this, &TwoFingerTaps::tapped);
}

bool TwoFingerTaps::eventFilter(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        touched(*static_cast<QTouchEvent*>(event));
        break;
    case QEvent::TouchCancel:
        spoiled_ = true;
        break;
    default:
        break;
    }
    return false;
}

void TwoFingerTaps::touched(const QTouchEvent& touch)
{
    if (touch.type() == QEvent::TouchBegin) {
        mostFingers_ = 0;
        spoiled_ = false;
        down_.start();
    }
    int down = 0;
    for (const QEventPoint& point : touch.points()) {
        if (point.state() != QEventPoint::Released)
            ++down;
        if (QLineF(point.pressPosition(), point.position()).length() > slop)
            spoiled_ = true;
    }
    mostFingers_ = std::max(mostFingers_, down);
    if (touch.type() == QEvent::TouchEnd)
        tapEnded();
}

void TwoFingerTaps::tapEnded()
{
    // A third finger, a drag or a press held too long is some other gesture.
    if (spoiled_ || mostFingers_ != 2 || down_.elapsed() > longestTapMs)
        return;
    if (pending_.isActive()) {
        pending_.stop();
        emit doubleTapped();
        return;
    }
    pending_.start();
}
