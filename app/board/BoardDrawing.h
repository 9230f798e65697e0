#pragma once

#include "model/LifeSet.h"

#include <QColor>

#include <cstdint>

class LifeView;
class QPainter;
namespace cellarium {
class BoardGeometry;
}

// What the board's layers are drawn from.
struct BoardDrawingInputs {
    const cellarium::LifeSet& lifes;
    std::int64_t rows;
    double lifeWidth;
    double contentWidth;
    double onePixel;           // the grid's line width
    double separateLineAlphe;  // the grid's opacity
    QColor labelColor;         // resolved by the caller, now
};

// Rebuilds the cell layer, the grid layer, or both, and leaves the view with
// exactly [grid, cells] as children. A layer not asked for is reused when the view
// already holds both; with the grid's opacity at 0.01 or less a grid is not
// rebuilt at all and the view keeps its layers. Any child that is not a board
// layer makes both layers rebuilt and is removed.
void redrawBoard(LifeView& view, const BoardDrawingInputs& inputs, bool cells, bool grid);

// The next generation: the view's cell layer takes the new cells in place and only
// the squares that flipped are repainted, over the grid as it is. Without both
// layers, or with a layer for another board, width or colour, it redraws the cells
// as redrawBoard(view, inputs, true, false) does.
void showGeneration(LifeView& view, const BoardDrawingInputs& inputs);

// Draws the live cells alone, scaled so the whole board fills a side × side
// square; cells outside the board fall outside the square. Transparent elsewhere.
// Any thread: it reads only its arguments.
void drawSnapshot(QPainter& painter, const cellarium::LifeSet& lifes, double side, double contentWidth,
                  double lifeWidth, const QColor& color);

// What the board picture is drawn from: copies of the cells and of the values
// the geometry and the palette have when it is asked for, so that a pool thread
// can draw it while the board plays on.
struct BoardSnapshot {
    cellarium::LifeSet lifes;
    double contentWidth = 0;
    double lifeWidth = 0;
    QColor color;
};
void drawSnapshot(QPainter& painter, const BoardSnapshot& snapshot, double side);

// The board as the geometry has it now, in the label colour: rebuilds the layers
// asked for as redrawBoard above does.
void redrawBoard(LifeView& view, const cellarium::LifeSet& lifes, const cellarium::BoardGeometry& geometry,
                 double separateLineAlphe, bool cells, bool grid);
void showGeneration(LifeView& view, const cellarium::LifeSet& lifes, const cellarium::BoardGeometry& geometry,
                    double separateLineAlphe);
// A snapshot of `lifes` on the board as the geometry has it now, in the label colour.
// Main thread only.
BoardSnapshot boardSnapshot(const cellarium::LifeSet& lifes, const cellarium::BoardGeometry& geometry);
