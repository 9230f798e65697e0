#pragma once

#include "LifeSet.h"

#include <QFutureWatcher>
#include <QObject>

#include <cstdint>
#include <functional>

// Runs generation steps on the global thread pool, one at a time, and hands each
// result back on the main thread, unless it was invalidated meanwhile: a result
// belongs to the run and the pattern it was computed from, and a pause, a new
// pattern or a shifted one makes it stale.
class GenerationWorker : public QObject {
    Q_OBJECT

public:
    using Delivery = std::function<void(cellarium::LifeSet next)>;

    explicit GenerationWorker(QObject* parent = nullptr);
    ~GenerationWorker() override;  // waits for a step in flight

    // Starts a step of `lifes` on a board of `rows` rows; `deliver` gets the result
    // on the main thread. Returns false, and starts nothing, while a step is in flight.
    bool submit(cellarium::LifeSet lifes, std::int64_t rows, Delivery deliver);

    // Drops the result of any step in flight.
    void invalidate() { ++ticket_; }

    // From submit() until the result has been handed back or dropped.
    bool isBusy() const { return busy_; }

    // Blocks until a step in flight has finished and been handed back (tests).
    void waitForResult();

private:
    void finished();

    QFutureWatcher<cellarium::LifeSet> watcher_;
    Delivery deliver_;
    std::uint64_t ticket_ = 0;
    std::uint64_t ticketInFlight_ = 0;
    bool busy_ = false;
};
