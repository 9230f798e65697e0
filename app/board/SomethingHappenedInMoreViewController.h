#pragma once

#include "BoardDrawing.h"
#include "LifeSet.h"

// What the options screen may do to the board. Main thread only; the board
// outlives every options screen.
class SomethingHappenedInMoreViewController {
public:
    virtual ~SomethingHappenedInMoreViewController() = default;

    virtual void changeBoardSize() = 0;
    virtual void togglePanMode() = 0;
    virtual void restartPattern() = 0;
    virtual void clearBoard() = 0;
    virtual void loadPattern(const cellarium::LifeSet& lifes) = 0;  // cells with both coordinates only
    virtual void pauseSimulation() = 0;
    virtual void startSimulation() = 0;
    // What the board picture is drawn from, as the board is now (see drawSnapshot).
    virtual BoardSnapshot snapshot() const = 0;

    virtual const cellarium::LifeSet& lifes() const = 0;
    virtual bool highSpeed() const = 0;
    virtual void setHighSpeed(bool highSpeed) = 0;
    virtual bool startGame() const = 0;
};
