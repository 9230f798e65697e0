#pragma once

#include <QObject>

#include <functional>

class QKeySequence;
class QToolButton;
class QWidget;

// The board's buttons and keys. The start/pause button shows "play.fill" and is
// named "Start" while paused, "pause.fill" and "Pause" while running; the options
// button is named "Options". Both sit on translucent rounded plates, so that they
// stay visible over live cells, with touch targets of at least 44 points.
//
// Keys act only while the board is the top screen and no guide covers it (on a
// sheet or the guide the focused control gets them): Space presses start/pause
// (without auto-repeat) while the board or start/pause has the focus, and the
// focused button otherwise; Ctrl+comma and the Menu key open the options; Ctrl+plus and Ctrl+minus zoom, Ctrl+0 returns to the
// working zoom; N steps one generation and Home brings the live cells into view. Main thread only.
class BoardControls : public QObject {
    Q_OBJECT

public:
    // `board` is the screen whose keys these are; `boardOnTop` says whether it is
    // the top screen with nothing over it.
    BoardControls(QWidget& board, QToolButton& startOrPauseButton, QToolButton& moreButton,
                  std::function<bool()> boardOnTop);

    void showRunning(bool running);

    static constexpr int touchTarget = 44;

signals:
    void startOrPausePressed();
    void optionsPressed();
    void zoomInPressed();
    void zoomOutPressed();
    void zoomResetPressed();
    void stepPressed();
    void homePressed();

private:
    void spacePressed();
    void addKey(QWidget& board, const QKeySequence& key, void (BoardControls::*pressed)());

    QToolButton& startOrPauseButton_;
    std::function<bool()> boardOnTop_;
};
