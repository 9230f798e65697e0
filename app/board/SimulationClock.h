#pragma once

#include "board/GenerationWorker.h"
#include "model/BoardPattern.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <memory>

// The simulation's clock, running the board's pattern: a repeating timer on the
// main thread while running, the worker that computes generations off it, the stop
// rule (an empty board, or a step that changes nothing) and the run's cues.
// Pausing drops a step in flight, so a result never lands in a run it was not
// computed for. Main thread only.
class SimulationClock : public QObject {
    Q_OBJECT

public:
    static constexpr int normalIntervalMs = 1000;
    static constexpr int highSpeedIntervalMs = 100;

    explicit SimulationClock(cellarium::BoardPattern& pattern, QObject* parent = nullptr);

    // The first tick comes one interval after the start.
    void start(bool highSpeed);
    void pause();  // harmless when paused
    bool isRunning() const { return timer_ != nullptr; }
    // The automatic stop and the pause by the button: paused, with the stop cue.
    void stop();

    // The start button: stops a run, or remembers the start pattern and starts one.
    void startOrStop(bool highSpeed);
    // A tick: the generation after the pattern computed on the worker for a board
    // of `rows`, or the stop when the pattern cannot go on.
    void advance(std::int64_t rows);
    // A single step while paused: one generation on the worker, as a tick computes
    // it, with the same stop rule and cues. Does nothing while running, and while the
    // last step is still being computed (returns false then).
    bool step(std::int64_t rows);
    // A computed generation: applied with the tick cue and `advanced`, or the stop
    // when it changes nothing.
    void applyGeneration(cellarium::LifeSet next);

    const QTimer* timer() const { return timer_.get(); }  // nullptr while paused
    GenerationWorker& worker() { return worker_; }

signals:
    void tick();
    // After every start and pause.
    void runningChanged(bool running);
    // After every generation applied to the pattern.
    void advanced();

private:
    cellarium::BoardPattern& pattern_;
    std::unique_ptr<QTimer> timer_;
    GenerationWorker worker_;
};
