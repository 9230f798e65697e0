#pragma once

#include "board/BoardDrawing.h"
#include "model/BoardGeometry.h"
#include "model/LifeSet.h"
#include "model/PlacedPattern.h"

// What the options screen may do to the board. Main thread only; the board
// outlives every options screen.
class SomethingHappenedInMoreViewController {
public:
    virtual ~SomethingHappenedInMoreViewController() = default;

    virtual void changeBoardSize() = 0;
    virtual void togglePanMode() = 0;
    virtual void restartPattern() = 0;
    virtual void clearBoard() = 0;
    // Loads the pattern's placed cells, first growing the board to the size they need
    // (fitPatternToBoard) as if the user had chosen it; plays the refused cue, changes
    // nothing and returns false when no board size holds them.
    virtual bool loadPattern(const cellarium::PlacedPattern& pattern) = 0;
    virtual void pauseSimulation() = 0;
    virtual void startSimulation() = 0;
    // What the board picture is drawn from, as the board is now (see drawSnapshot).
    virtual BoardSnapshot snapshot() const = 0;

    virtual const cellarium::LifeSet& lifes() const = 0;
    virtual bool highSpeed() const = 0;
    virtual void setHighSpeed(bool highSpeed) = 0;
    virtual bool startGame() const = 0;
    // The board's side in cells and the sizes that follow from it and the screen.
    virtual const cellarium::BoardGeometry& geometry() const = 0;
};
