#pragma once

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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // A press and release both on the backdrop beside the screen is a tap on it.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect restingRect() const;
    void layOut();
    void setProgress(qreal progress);
    void run(bool animated, qreal from, qreal to, int durationMs, std::function<void()> finished);

    QPointer<ViewController> presented_;
    QPointer<QVariantAnimation> animation_;
    std::function<void()> finishStep_;
    std::vector<std::function<void()>> dismissCompletions_;
    qreal progress_ = 0; // 0 hidden, 1 fully shown
    bool dismissing_ = false;
    bool pressedBeside_ = false;
};

} // namespace platform
