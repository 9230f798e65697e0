#pragma once

#include "shell/BoardStateWriter.h"

#include <QObject>
#include <QTimer>

class MainViewController;

// Keeps the board across launches. restore() sets the board back to the kept state
// at launch, before the window shows. From then on the board is handed to the writer
// shortly after each change it reports (MainViewController::boardChanged: at most
// saveDelayMs later, however often it changes, so that a kill loses at most that much
// of the edits), at once when the app leaves the foreground, and at finish(), which
// waits for the file. Main thread only; the board outlives it.
class BoardStateKeeper : public QObject {
    Q_OBJECT

public:
    static constexpr int saveDelayMs = 500;

    BoardStateKeeper(MainViewController& board, const QString& filePath, QObject* parent = nullptr);

    // False when there was no kept board (or it was damaged and set aside): the
    // board stays as it started.
    bool restore();
    // Hands the board as it is now to the writer.
    void save();
    // Saves and waits until the file is written: at the end of the run.
    void finish();

    // The board's state, and the board set to a state.
    static cellarium::BoardState stateOf(const MainViewController& board);
    static void apply(MainViewController& board, const cellarium::BoardState& state);

private:
    MainViewController& board_;
    BoardStateFile file_;
    BoardStateWriter writer_;
    QTimer saveSoon_;
};
