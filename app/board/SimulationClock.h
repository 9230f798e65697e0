#pragma once

#include "GenerationWorker.h"

#include <QObject>
#include <QTimer>

#include <memory>

// The simulation's clock: a repeating timer on the main thread while running, and
// the worker that computes generations off it. Pausing drops a step in flight, so
// a result never lands in a run it was not computed for. Main thread only.
class SimulationClock : public QObject {
    Q_OBJECT

public:
    static constexpr int normalIntervalMs = 1000;
    static constexpr int highSpeedIntervalMs = 100;

    explicit SimulationClock(QObject* parent = nullptr);

    // The first tick comes one interval after the start.
    void start(bool highSpeed);
    void pause();  // harmless when paused

    const QTimer* timer() const { return timer_.get(); }  // nullptr while paused
    GenerationWorker& worker() { return worker_; }

signals:
    void tick();

private:
    std::unique_ptr<QTimer> timer_;
    GenerationWorker worker_;
};
