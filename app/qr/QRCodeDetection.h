#pragma once

#include <QFutureWatcher>
#include <QObject>

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Runs QR code detection on the global thread pool, one picture at a time, and
// hands what it read back on the main thread. A reading asked for while one runs
// waits, and a newer one replaces it: a camera hands over only its latest frame,
// and frames never queue up. The work gets copies of what it reads and touches
// nothing else, so deleting this object (with its owner) neither waits nor lets a
// hand-back reach the owner: the one waiting is dropped and the one running is
// left to finish unheard. Main thread only.
class QRCodeDetection : public QObject {
    Q_OBJECT

public:
    using Codes = std::vector<std::optional<std::string>>;
    // Runs on a pool thread: reads a picture (each code's text, as readQRCodes).
    using Work = std::function<Codes()>;
    // Runs on the main thread with what the work read; an exception from the work
    // (a picture too large for memory, say) is logged and reads as no code.
    using Done = std::function<void(const Codes& codes)>;

    explicit QRCodeDetection(QObject* parent = nullptr);
    ~QRCodeDetection() override;

    // Starts `work` now when nothing runs; otherwise it waits, replacing the one
    // waiting (whose `done` is never called).
    void read(Work work, Done done);
    // Drops the reading waiting, if any; the one running still hands back.
    void dropWaiting();

private:
    struct Reading {
        Work work;
        Done done;
    };
    void start(Reading reading);
    void finished();

    QFutureWatcher<Codes> watcher_;
    bool running_ = false;  // set until the hand-back: the future may finish well before it is heard
    Done runningDone_;
    std::optional<Reading> waiting_;
};
