#pragma once

#include <QObject>

#include <functional>

class QToolButton;
class QWidget;

// The board's buttons and keys. The start/pause button shows "play.fill" and is
// named "Start" while paused, "pause.fill" and "Pause" while running; the options
// button is named "Options". Space presses start/pause, but only while the board
// is the top screen and no guide covers it: on a sheet or the guide the focused
// control gets it. Main thread only.
class BoardControls : public QObject {
    Q_OBJECT

public:
    // `board` is the screen whose keys these are; `boardOnTop` says whether it is
    // the top screen with nothing over it.
    BoardControls(QWidget& board, QToolButton& startOrPauseButton, QToolButton& moreButton,
                  std::function<bool()> boardOnTop);

    void showRunning(bool running);

signals:
    void startOrPausePressed();
    void optionsPressed();

private:
    QToolButton& startOrPauseButton_;
    std::function<bool()> boardOnTop_;
};
