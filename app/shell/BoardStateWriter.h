#pragma once

#include "shell/BoardStateFile.h"

#include <QMutex>
#include <QThreadPool>
#include <QWaitCondition>

#include <optional>

// Writes the board to its state file off the main thread, on one thread of its
// own, so two writes never race. A state handed over while another is being
// written waits; a newer one replaces it, so the latest state is the one that
// ends up in the file. A failed write is reported on stderr once per cause,
// until a write succeeds again. Submitting is thread-safe; the writer must
// outlive no thread that submits to it.
class BoardStateWriter {
public:
    explicit BoardStateWriter(QString filePath);
    // Finishes the writes handed over.
    ~BoardStateWriter();

    void submit(cellarium::BoardState state);
    // Returns once every state handed over so far is written (or has failed).
    void waitForWrites();

private:
    void drain();

    const BoardStateFile file_;
    QThreadPool thread_;
    QMutex mutex_;
    QWaitCondition idle_;
    std::optional<cellarium::BoardState> pending_;
    bool writing_ = false;
    QString reportedFailure_;  // writer thread only
};
