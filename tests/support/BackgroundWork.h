#pragma once

#include <QCoreApplication>
#include <QThreadPool>

namespace testsupport {

// Lets the work the screens gave the global thread pool finish and delivers the
// hand-backs it posted to the main thread, until none is left (a hand-back may
// start more work: the next camera frame waiting, say).
inline void finishBackgroundWork()
{
    QThreadPool* pool = QThreadPool::globalInstance();
    do {
        pool->waitForDone();
        QCoreApplication::sendPostedEvents();
    } while (!pool->waitForDone(0));
}

}  // namespace testsupport
