#pragma once

#include "GenerationWorker.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>

// The simulation's clock: a repeating timer on the main thread while running, the
// worker that computes generations off it, and the stop rule (an empty board, or
// a step that changes nothing) with its cue. Pausing drops a step in flight, so a
// result never lands in a run it was not computed for. Main thread only.
class SimulationClock : public QObject {
    Q_OBJECT

public:
    static constexpr int normalIntervalMs = 1000;
    static constexpr int highSpeedIntervalMs = 100;

    explicit SimulationClock(QObject* parent = nullptr);

    // The first tick comes one interval after the start.
    void start(bool highSpeed);
    void pause();  // harmless when paused
    bool isRunning() const { return timer_ != nullptr; }
    // The automatic stop and the pause by the button: paused, with the stop cue.
    void stop();

    // Computes the generation after `lifes` on the worker and hands it to `apply`
    // on the main thread, or stops the run when `lifes` cannot go on.
    void step(const cellarium::LifeSet& lifes, std::int64_t rows, std::function<void(cellarium::LifeSet)> apply);
    // Whether the run goes on from `before` to `next`; stops it when not.
    bool continuesTo(const cellarium::LifeSet& before, const cellarium::LifeSet& next);

    const QTimer* timer() const { return timer_.get(); }  // nullptr while paused
    GenerationWorker& worker() { return worker_; }

signals:
    void tick();
    // After every start and pause.
    void runningChanged(bool running);

private:
    std::unique_ptr<QTimer> timer_;
    GenerationWorker worker_;
};
