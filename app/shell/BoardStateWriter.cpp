#include "shell/BoardStateWriter.h"

#include <QMutexLocker>

#include <cstdio>

BoardStateWriter::BoardStateWriter(QString filePath)
    : file_(std::move(filePath))
{
    thread_.setMaxThreadCount(1);
    thread_.setExpiryTimeout(-1);  // the thread stays: a write never waits for one to be made
}

BoardStateWriter::~BoardStateWriter()
{
    waitForWrites();
}

void BoardStateWriter::submit(cellarium::BoardState state)
{
    const QMutexLocker lock(&mutex_);
    pending_ = std::move(state);
    if (writing_)
        return;  // the running drain takes it next
    writing_ = true;
    thread_.start([this] { drain(); });
}

void BoardStateWriter::waitForWrites()
{
    QMutexLocker lock(&mutex_);
    while (writing_)
        idle_.wait(&mutex_);
}

void BoardStateWriter::drain()
{
    for (;;) {
        std::optional<cellarium::BoardState> state;
        {
            const QMutexLocker lock(&mutex_);
            if (!pending_) {
                writing_ = false;
                idle_.wakeAll();
                return;
            }
            state.swap(pending_);
        }
        QString error;
        if (file_.write(*state, error)) {
            reportedFailure_.clear();
        } else if (error != reportedFailure_) {
            std::fprintf(stderr, "cellarium: the board could not be kept: %s\n", qPrintable(error));
            reportedFailure_ = error;
        }
    }
}
