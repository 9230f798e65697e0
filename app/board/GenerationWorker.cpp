#include "board/GenerationWorker.h"

#include "model/GenerationStep.h"

#include <QCoreApplication>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

GenerationWorker::GenerationWorker(QObject* parent)
    : QObject(parent)
{
    connect(&watcher_, &QFutureWatcherBase::finished, this, &GenerationWorker::finished);
}

GenerationWorker::~GenerationWorker()
{
    watcher_.waitForFinished();
}

bool GenerationWorker::submit(cellarium::LifeSet lifes, std::int64_t rows, Delivery deliver)
{
    if (busy_)
        return false;
    busy_ = true;
    ticketInFlight_ = ticket_;
    deliver_ = std::move(deliver);
    // Kept since the last invalidate(), the engine holds the pattern it last handed back.
    std::shared_ptr<cellarium::LifeEngine> engine = std::move(engine_);
    if (engine && rows != engineRows_)
        engine.reset();
    const bool build = !engine && rows >= 1 && rows <= cellarium::LifeEngine::kMaxRows;
    if (build)
        ++enginesBuilt_;
    watcher_.setFuture(QtConcurrent::run(QThreadPool::globalInstance(),
                                         [engine = std::move(engine), lifes = std::move(lifes), rows, build]() mutable {
        if (build)
            engine = std::make_shared<cellarium::LifeEngine>(lifes, rows);
        if (!engine)
            return Step{nullptr, cellarium::nextGeneration(lifes, rows)};
        engine->step();
        cellarium::LifeSet next = engine->lifes();
        return Step{std::move(engine), std::move(next)};
    }));
    engineRows_ = rows;
    return true;
}

void GenerationWorker::finished()
{
    busy_ = false;
    Delivery deliver = std::move(deliver_);
    deliver_ = nullptr;
    Step step = watcher_.result();
    if (ticketInFlight_ != ticket_ || !deliver)
        return;  // the engine went past the pattern: the next step builds a new one
    engine_ = std::move(step.engine);
    deliver(std::move(step.next));
}

void GenerationWorker::waitForResult()
{
    watcher_.waitForFinished();
    // The finished signal arrives as a posted event.
    while (busy_)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}
