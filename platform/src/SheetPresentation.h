#pragma once

#include "platform/ScreenCover.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <utility>
#include <vector>

class QVariantAnimation;

namespace platform {

class ViewController;

// One presented screen on its backdrop. The backdrop covers the presenter's
// window (blocking touches to what lies below) and dims it; the screen slides
// up from the bottom (or fades in, for centred cards) and back down when it is
// dismissed. The backdrop is a child of the window and owns the screen; a tap
// on it beside the screen goes to the screen's backdropTapped().
//
// While it is up the backdrop holds the keyboard: the window's other children
// (the presenter and the sheets below) are covered (ScreenCover), Tab and
// Backtab go round the presented screen's controls only, and keys that reach
// the backdrop itself go on to the presented screen.
class SheetPresentation : public QWidget {
    Q_OBJECT

public:
    SheetPresentation(QWidget* window, ViewController* presented);
    ~SheetPresentation() override;

    void showAnimated(bool animated, std::function<void()> finished);
    void hideAnimated(bool animated, std::function<void()> finished);

    // Completes a running animation at once, running its finish step.
    void finishNow();

    bool isDismissing() const { return dismissing_; }
    void addDismissCompletion(std::function<void()> completion);
    std::vector<std::function<void()>> takeDismissCompletions() { return std::exchange(dismissCompletions_, {}); }

    ViewController* presented() const { return presented_; }

    // Gives the keyboard to the presented screen (or its first control that takes
    // Tab, or else the backdrop) and takes the rest of the window out of reach.
    void takeKeyboard();
    // Gives back what takeKeyboard covered; also done when the backdrop goes.
    void uncover() { cover_.uncover(); }
    // The window's focus when this presentation began.
    QWidget* focusBefore() const { return focusBefore_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // A press and release both on the backdrop beside the screen is a tap on it.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QRect restingRect() const;
    void layOut();
    void setProgress(qreal progress);
    void run(bool animated, qreal from, qreal to, int durationMs, std::function<void()> finished);

    QPointer<ViewController> presented_;
    QPointer<QWidget> focusBefore_;
    ScreenCover cover_;
    QPointer<QVariantAnimation> animation_;
    std::function<void()> finishStep_;
    std::vector<std::function<void()>> dismissCompletions_;
    qreal progress_ = 0; // 0 hidden, 1 fully shown
    bool dismissing_ = false;
    bool pressedBeside_ = false;
    bool forwardingKey_ = false;
};

} // namespace platform
