#pragma once

class QWidget;

// The first-run guide over the board: shown on each appearance of the board
// until the guide records that it was completed.
namespace firstrunguide {

void showIfDue(QWidget* window);

// Whether a guide covers `window` now.
bool isShown(const QWidget* window);

}  // namespace firstrunguide
