#include "board/TwoFingerTaps.h"

#include <QPointingDevice>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

constexpr int kIntervalMs = 80;

// Takes the touches it is given, as the board's scroll view does: a widget that
// ignores the first touch gets no more of them.
class TouchSurface : public QWidget {
protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::TouchBegin || event->type() == QEvent::TouchUpdate ||
            event->type() == QEvent::TouchEnd) {
            event->accept();
            return true;
        }
        return QWidget::event(event);
    }
};

struct Surface {
    Surface()
    {
        widget.resize(300, 300);
        widget.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&widget));
        taps->setDoubleTapIntervalMs(kIntervalMs);
    }
    // `fingers` down at once and up again, each moved by `move` points on the way.
    void tap(int fingers, QPointF move = {})
    {
        QTest::QTouchEventSequence down = QTest::touchEvent(&widget, device.get());
        for (int i = 0; i < fingers; ++i)
            down.press(i, start(i));
        down.commit();
        if (!move.isNull()) {
            QTest::QTouchEventSequence moved = QTest::touchEvent(&widget, device.get());
            for (int i = 0; i < fingers; ++i)
                moved.move(i, start(i) + move.toPoint());
            moved.commit();
        }
        QTest::QTouchEventSequence up = QTest::touchEvent(&widget, device.get());
        for (int i = 0; i < fingers; ++i)
            up.release(i, start(i) + move.toPoint());
        up.commit();
    }
    static QPoint start(int finger) { return {100 + 40 * finger, 150}; }

    std::unique_ptr<QPointingDevice> device{QTest::createTouchDevice()};
    TouchSurface widget;
    TwoFingerTaps* taps = new TwoFingerTaps(widget);
};

}  // namespace

// Only two still fingers tap; a second tap soon after makes a double tap, which is
// not also taken for two single taps.
TEST(TwoFingerTaps, TellsSingleFromDoubleAndIgnoresOtherTouches)
{
    struct Case {
        const char* what;
        std::function<void(Surface&)> touch;
        int tapped;
        int doubleTapped;
    };
    const Case cases[] = {
        {"one two-finger tap", [](Surface& s) { s.tap(2); }, 1, 0},
        {"two two-finger taps in quick succession", [](Surface& s) { s.tap(2); s.tap(2); }, 0, 1},
        {"two two-finger taps far apart in time",
         [](Surface& s) {
             s.tap(2);
             QTest::qWait(kIntervalMs * 3);
             s.tap(2);
         },
         2, 0},
        {"a one-finger tap", [](Surface& s) { s.tap(1); }, 0, 0},
        {"one-finger taps twice", [](Surface& s) { s.tap(1); s.tap(1); }, 0, 0},
        {"a three-finger tap", [](Surface& s) { s.tap(3); }, 0, 0},
        {"two fingers dragging", [](Surface& s) { s.tap(2, {30, 0}); }, 0, 0},
        {"two fingers that stir within the slop", [](Surface& s) { s.tap(2, {3, 2}); }, 1, 0},
        {"a drag, then a tap", [](Surface& s) { s.tap(2, {0, 40}); s.tap(2); }, 1, 0},
    };
    for (const Case& c : cases) {
        Surface surface;
        QSignalSpy tapped(surface.taps, &TwoFingerTaps::tapped);
        QSignalSpy doubleTapped(surface.taps, &TwoFingerTaps::doubleTapped);
        c.touch(surface);
        QTest::qWait(kIntervalMs * 3);
        EXPECT_EQ(tapped.count(), c.tapped) << c.what;
        EXPECT_EQ(doubleTapped.count(), c.doubleTapped) << c.what;
    }
}
