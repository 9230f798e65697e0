#pragma once

namespace platform {

class GridViewCell;

// The accessibility tree's view of grid cells: each cell is a pressable button
// that reports itself focused while it is its grid's current item and the grid
// has the keyboard, since the grid keeps the focus itself and only moves its
// current item. Installed once, on the first grid.
void installGridCellAccessibility();

// Tells the accessibility tree that `cell` (its grid's current item) now has the focus.
void announceFocusedCell(GridViewCell& cell);

} // namespace platform
