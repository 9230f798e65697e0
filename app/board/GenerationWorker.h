#pragma once

#include "model/LifeEngine.h"
#include "model/LifeSet.h"

#include <QFutureWatcher>
#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>

// Runs generation steps on the global thread pool, one at a time, and hands each
// result back on the main thread, unless it was invalidated meanwhile: a result
// belongs to the run and the pattern it was computed from, and a pause, a new
// pattern or a shifted one makes it stale.
//
// The steps run on one LifeEngine kept from step to step, on a board of the same
// size, until invalidate(): every change to the pattern other than a delivered
// generation (an edit, a load, a size change, a pause) must call it, since the
// engine goes on from the pattern it last handed back. A dropped result builds a
// new engine too. The engine belongs to the step in flight while there is one,
// and to the main thread otherwise.
class GenerationWorker : public QObject {
    Q_OBJECT

public:
    using Delivery = std::function<void(cellarium::LifeSet next)>;

    explicit GenerationWorker(QObject* parent = nullptr);
    ~GenerationWorker() override;  // waits for a step in flight

    // Starts a step of `lifes` on a board of `rows` rows; `deliver` gets the result
    // on the main thread. Returns false, and starts nothing, while a step is in flight.
    bool submit(cellarium::LifeSet lifes, std::int64_t rows, Delivery deliver);

    // Drops the result of any step in flight, and the engine.
    void invalidate()
    {
        ++ticket_;
        engine_.reset();
    }

    // From submit() until the result has been handed back or dropped.
    bool isBusy() const { return busy_; }

    // Blocks until a step in flight has finished and been handed back (tests).
    void waitForResult();

    // Engines built so far: one per run of untouched generations (tests).
    int enginesBuilt() const { return enginesBuilt_; }

private:
    struct Step {
        std::shared_ptr<cellarium::LifeEngine> engine;  // null outside the engine's range
        cellarium::LifeSet next;
    };

    void finished();

    QFutureWatcher<Step> watcher_;
    Delivery deliver_;
    std::uint64_t ticket_ = 0;
    std::uint64_t ticketInFlight_ = 0;
    bool busy_ = false;
    // The engine of the last delivered generation, on a board of engineRows_.
    std::shared_ptr<cellarium::LifeEngine> engine_;
    std::int64_t engineRows_ = 0;
    int enginesBuilt_ = 0;
};
