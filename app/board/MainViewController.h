#pragma once

#include "GenerationWorker.h"
#include "LifeSet.h"
#include "SomethingHappenedInMoreViewController.h"

#include "platform/ViewController.h"

#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class LifeView;
class QToolButton;
namespace platform {
class ZoomingScrollView;
}
namespace Ui {
class MainViewController;
}

// The board screen: the pattern, its clock, touch editing, drawing and viewport.
// The window's root screen for the life of the process. Main thread only.
class MainViewController : public platform::ViewController, public SomethingHappenedInMoreViewController {
    Q_OBJECT

public:
    static constexpr double defaultScale = 1.4;
    static constexpr int normalIntervalMs = 1000;
    static constexpr int highSpeedIntervalMs = 100;
    static constexpr int resetZoomDelayMs = 200;
    static constexpr const char* showMoreSegue = "ShowMore";

    explicit MainViewController(QWidget* parent = nullptr);
    ~MainViewController() override;

    // What the options screen may do.
    void changeBoardSize() override;
    void togglePanMode() override;
    void restartPattern() override;
    void clearBoard() override;
    void loadPattern(const cellarium::LifeSet& lifes) override;
    void pauseSimulation() override;
    void startSimulation() override;
    void drawSnapshot(QPainter& painter, double side) override;
    const cellarium::LifeSet& lifes() const override { return lifes_; }
    bool highSpeed() const override { return highSpeed_; }
    void setHighSpeed(bool highSpeed) override { highSpeed_ = highSpeed; }
    bool startGame() const override { return startGame_; }

    // The clock.
    void startOrPauseGame(QObject* sender);
    void advance();
    void applyGeneration(cellarium::LifeSet next);

    // Editing, at points of the board view.
    void tap(QPointF location);
    void pan(QPointF location);
    void toggleLife(const cellarium::Life& life);

    // Drawing and viewport.
    void redraw(bool cells, bool grid);
    void configureZoomLimits();
    void scrollViewDidZoom();
    void resetViewport();
    void zoomToDefault();

    void showMore(QObject* sender);

    const std::optional<cellarium::LifeSet>& initLifes() const { return initLifes_; }
    bool panMode() const { return panMode_; }
    const std::optional<cellarium::Life>& lastPanLife() const { return lastPanLife_; }
    double separateLineAlphe() const { return separateLineAlphe_; }
    const QTimer* timer() const { return timer_.get(); }  // nullptr while paused

    // Outlets; valid once the view has loaded.
    platform::ZoomingScrollView* scrollView() const;
    LifeView* contentView() const { return contentView_; }
    QToolButton* startOrPauseButton() const;
    QToolButton* moreButton() const;

    GenerationWorker& generationWorker() { return worker_; }

    // Runs `work` on the main thread after `ms` milliseconds unless `context` is gone;
    // tests replace it so that delayed work runs when they say.
    using DelayedWork = std::function<void(int ms, QObject* context, std::function<void()> work)>;
    void setDelayedWork(DelayedWork delayedWork) { delayedWork_ = std::move(delayedWork); }

protected:
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;
    void prepare(platform::Segue& segue, QObject* sender) override;

private:
    // Replaces the pattern; a generation in flight no longer applies.
    void setLifes(cellarium::LifeSet lifes);
    void showStateOnButton();
    void playStopFeedback();

    std::unique_ptr<Ui::MainViewController> ui_;
    LifeView* contentView_ = nullptr;

    double separateLineAlphe_ = 1.0;
    std::optional<cellarium::LifeSet> initLifes_;
    cellarium::LifeSet lifes_;
    std::unique_ptr<QTimer> timer_;
    bool startGame_ = false;
    bool highSpeed_ = false;
    bool panMode_ = false;
    std::optional<cellarium::Life> lastPanLife_;

    GenerationWorker worker_;
    DelayedWork delayedWork_;
};
