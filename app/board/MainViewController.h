#pragma once

#include "board/BoardEditing.h"
#include "board/BoardHistory.h"
#include "board/BoardViewport.h"
#include "board/SimulationClock.h"
#include "board/SomethingHappenedInMoreViewController.h"
#include "model/BoardPattern.h"
#include "model/LifeSet.h"

#include "platform/ViewController.h"

#include <functional>
#include <memory>
#include <optional>

class BoardControls;
class LifeView;
class QToolButton;
namespace platform {
class ZoomingScrollView;
}
namespace Ui {
class MainViewController;
}

// The board screen: owns the pattern (BoardPattern) and wires its pieces together,
// the clock that runs it (SimulationClock), touch editing (BoardEditing), the viewport
// (BoardViewport), drawing (redrawBoard) and the buttons (BoardControls). The
// window's root screen for the life of the process. Main thread only.
class MainViewController : public platform::ViewController, public SomethingHappenedInMoreViewController {
    Q_OBJECT

public:
    static constexpr double defaultScale = BoardViewport::defaultScale;
    static constexpr int normalIntervalMs = SimulationClock::normalIntervalMs;
    static constexpr int highSpeedIntervalMs = SimulationClock::highSpeedIntervalMs;
    static constexpr int resetZoomDelayMs = BoardViewport::resetZoomDelayMs;
    static constexpr const char* showMoreSegue = "ShowMore";

    explicit MainViewController(QWidget* parent = nullptr);
    ~MainViewController() override;

    // What the options screen may do.
    void changeBoardSize() override;
    void togglePanMode() override;
    void restartPattern() override;
    void clearBoard() override;
    bool loadPattern(const cellarium::PlacedPattern& pattern) override;
    // Cells at absolute coordinates, as the JSON encoding holds them.
    bool loadPattern(const cellarium::LifeSet& lifes) { return loadPattern(cellarium::PlacedPattern(lifes)); }
    void pauseSimulation() override;
    void startSimulation() override;
    BoardSnapshot snapshot() const override;
    const cellarium::LifeSet& lifes() const override { return pattern_.lifes(); }
    bool highSpeed() const override { return highSpeed_; }
    void setHighSpeed(bool highSpeed) override { highSpeed_ = highSpeed; }
    bool startGame() const override { return clock_.isRunning(); }

    // The clock.
    void startOrPauseGame(QObject* sender);
    void advance();
    void applyGeneration(cellarium::LifeSet next);

    // Editing, at points of the board view.
    void tap(QPointF location);
    void pan(QPointF location);
    // `inStroke` for a drawing drag's cell: a stroke is one step of undo.
    void toggleLife(const cellarium::Life& life, bool inStroke = false);

    // The last change to the pattern taken back or made again, paused first; the
    // refused cue when there is none.
    void undo();
    void redo();

    // Drawing and viewport.
    void redraw(bool cells, bool grid);
    // A generation applied: only the cells that flipped are repainted.
    void showGeneration();
    void configureZoomLimits();
    void scrollViewDidZoom();
    void resetViewport();
    void zoomToDefault();

    // The options button: the click cues; the button then performs "ShowMore".
    void showMore(QObject* sender);

    const std::optional<cellarium::LifeSet>& initLifes() const { return pattern_.initLifes(); }
    bool panMode() const { return panMode_; }
    const std::optional<cellarium::Life>& lastPanLife() const { return editing_.lastPanLife(); }
    double separateLineAlphe() const { return separateLineAlphe_; }
    const QTimer* timer() const { return clock_.timer(); }  // nullptr while paused

    // Outlets; valid once the view has loaded.
    platform::ZoomingScrollView* scrollView() const;
    LifeView* contentView() const { return contentView_; }
    QToolButton* startOrPauseButton() const;
    QToolButton* moreButton() const;

    GenerationWorker& generationWorker() { return clock_.worker(); }

    // Tests replace the delayed work so that it runs when they say.
    using DelayedWork = BoardViewport::DelayedWork;
    void setDelayedWork(DelayedWork delayedWork) { delayedWork_ = std::move(delayedWork); }

protected:
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;
    void prepare(platform::Segue& segue, QObject* sender) override;

private:
    // Every change of the pattern but a generation: a step in flight no longer applies.
    void patternEdited() { clock_.worker().invalidate(); }
    // Restart, clear and load: paused, and when `change` did change the pattern, drawn
    // and back at the working zoom.
    // `rowsBefore`: the side before a load grew the board, for undo.
    void replacePattern(const std::function<bool(cellarium::BoardPattern&)>& change,
                        std::optional<std::int64_t> rowsBefore = std::nullopt);
    void revisit(bool forward);
    bool isOnTop() const;
    // The board's side set to `rows`, with what follows from it: geometry, zoom limits, viewport.
    void setBoardSide(std::int64_t rows);

    std::unique_ptr<Ui::MainViewController> ui_;
    LifeView* contentView_ = nullptr;
    std::unique_ptr<BoardViewport> viewport_;
    BoardControls* controls_ = nullptr;
    BoardEditing editing_;
    BoardHistory history_;

    double separateLineAlphe_ = 1.0;
    cellarium::BoardPattern pattern_;
    SimulationClock clock_;
    bool highSpeed_ = false;
    bool panMode_ = false;

    DelayedWork delayedWork_;
};
