#include "GenerationWorker.h"

#include "GenerationStep.h"

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
    watcher_.setFuture(QtConcurrent::run(QThreadPool::globalInstance(), [lifes = std::move(lifes), rows] {
        return cellarium::nextGeneration(lifes, rows);
    }));
    return true;
}

void GenerationWorker::finished()
{
    busy_ = false;
    Delivery deliver = std::move(deliver_);
    deliver_ = nullptr;
    if (ticketInFlight_ == ticket_ && deliver)
        deliver(watcher_.result());
}

void GenerationWorker::waitForResult()
{
    watcher_.waitForFinished();
    // The finished signal arrives as a posted event.
    while (busy_)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}
