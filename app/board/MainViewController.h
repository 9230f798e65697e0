#pragma once

#include "board/BoardEditing.h"
#include "board/BoardHistory.h"
#include "board/BoardViewport.h"
#include "board/SimulationClock.h"
#include "board/SomethingHappenedInMoreViewController.h"
#include "model/BoardGeometry.h"
#include "model/BoardPattern.h"
#include "model/BoardState.h"
#include "model/LifeSet.h"

#include "platform/ViewController.h"

#include <QtGlobal>

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

    // A board for a main screen of `screen` (its size in points and its scale, read
    // once at start).
    explicit MainViewController(cellarium::ScreenInputs screen = {}, QWidget* parent = nullptr);
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
    void setHighSpeed(bool highSpeed) override
    {
        highSpeed_ = highSpeed;
        emit boardChanged();
    }
    bool startGame() const override { return clock_.isRunning(); }
    const cellarium::BoardGeometry& geometry() const override { return geometry_; }

    // The clock.
    void startOrPauseGame(QObject* sender);
    void advance();
    void applyGeneration(cellarium::LifeSet next);
    // The N key and the board's Step action: one generation while paused, computed
    // and applied as a tick's is; nothing while running.
    void step();

    // Generations since the last load, Clear or Restart; the window title and the
    // board's accessible description say it once it is above 0.
    qint64 generation() const { return generation_; }
    void setGeneration(qint64 generation);

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
    // The Home key and a two-finger double tap: the live cells back in view.
    void showLiveCells();

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

    // What a restored board is set back to: the pattern with its start pattern (paused
    // and drawn) and the board size (without moving the pattern); how far the pattern
    // has run is setGeneration.
    void setPattern(cellarium::BoardPattern pattern);
    void setBoardSize(std::int64_t rows);
    // The zoom and offset of the board view. Set before the view appears, it takes the
    // place of the framing the board gets when it first appears; read before then, it
    // is the view still to be shown.
    cellarium::BoardViewState viewState() const;
    void setViewState(const cellarium::BoardViewState& view);

    // Tests replace the delayed work so that it runs when they say.
    using DelayedWork = BoardViewport::DelayedWork;
    void setDelayedWork(DelayedWork delayedWork) { delayedWork_ = std::move(delayedWork); }

signals:
    // The board changed in a way worth keeping: an edit, a load, a setting, the run
    // starting or pausing (not each generation).
    void boardChanged();

protected:
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;
    void prepare(platform::Segue& segue, QObject* sender) override;

private:
    // Every change of the pattern but a generation: a step in flight no longer applies.
    void patternEdited()
    {
        clock_.worker().invalidate();
        emit boardChanged();
    }
    // Restart, clear and load: paused, and when `change` did change the pattern, drawn
    // and back at the working zoom.
    // `rowsBefore`: the side before a load grew the board, for undo.
    void replacePattern(const std::function<bool(cellarium::BoardPattern&)>& change,
                        std::optional<std::int64_t> rowsBefore = std::nullopt);
    void revisit(bool forward);
    bool isOnTop() const;
    // The board's side set to `rows`, with what follows from it: geometry, zoom limits, viewport.
    void setBoardSide(std::int64_t rows);
    // The board at `view`'s zoom and offset, drawn.
    void showView(const cellarium::BoardViewState& view);
    // The title and the board's description brought up to the count.
    void showCount();

    std::unique_ptr<Ui::MainViewController> ui_;
    LifeView* contentView_ = nullptr;
    std::unique_ptr<BoardViewport> viewport_;
    BoardControls* controls_ = nullptr;
    BoardEditing editing_;
    BoardHistory history_;

    cellarium::BoardGeometry geometry_;
    double separateLineAlphe_ = 1.0;
    cellarium::BoardPattern pattern_;
    SimulationClock clock_;
    bool highSpeed_ = false;
    bool panMode_ = false;
    qint64 generation_ = 0;
    std::optional<cellarium::BoardViewState> viewToShow_;  // a restored view, until the view appears
    bool viewAppeared_ = false;

    DelayedWork delayedWork_;
};
