#include "qr/QRCodeDetection.h"

#include <QDebug>
#include <QPointer>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <exception>

QRCodeDetection::QRCodeDetection(QObject* parent) : QObject(parent)
{
    connect(&watcher_, &QFutureWatcherBase::finished, this, &QRCodeDetection::finished);
}

QRCodeDetection::~QRCodeDetection() = default;

void QRCodeDetection::read(Work work, Done done)
{
    Reading reading{std::move(work), std::move(done)};
    if (running_) {
        waiting_ = std::move(reading);
    } else {
        waiting_.reset();  // superseded
        start(std::move(reading));
    }
}

void QRCodeDetection::dropWaiting()
{
    waiting_.reset();
}

void QRCodeDetection::start(Reading reading)
{
    running_ = true;
    runningDone_ = std::move(reading.done);
    watcher_.setFuture(QtConcurrent::run(QThreadPool::globalInstance(), [work = std::move(reading.work)]() -> Codes {
        try {
            return work();
        } catch (const std::exception& error) {
            qWarning("QR code detection failed: %s", error.what());
            return {};
        } catch (...) {
            qWarning("QR code detection failed");
            return {};
        }
    }));
}

void QRCodeDetection::finished()
{
    running_ = false;
    const Codes codes = watcher_.future().resultCount() > 0 ? watcher_.result() : Codes{};
    const Done done = std::move(runningDone_);
    runningDone_ = nullptr;
    // The hand-back may drop the waiting reading (a code found stops the camera)
    // or delete the owner, and this with it.
    QPointer<QRCodeDetection> self(this);
    if (done)
        done(codes);
    if (self && !running_ && waiting_) {
        Reading next = std::move(*waiting_);
        waiting_.reset();
        start(std::move(next));
    }
}
