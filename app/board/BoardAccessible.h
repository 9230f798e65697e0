#pragma once

#include <QtGlobal>

#include <cstddef>
#include <functional>

class QWidget;

// The board in the accessibility tree: the board's scroll view offers a "Step"
// action beside the widget's own, so that a screen reader user can advance a
// paused run one generation as the N key does. Main thread only.
namespace boardaccessible {

inline constexpr const char* stepAction = "Step";

// Makes the board's scroll views answer for the board from now on: call it before
// the board is built, since an interface once made is kept. Idempotent.
void install();

// `board` offers the Step action from now on; the action calls `step` on the next
// turn of the event loop, as a pressed button does, and only while `board` is
// enabled (a sheet over it disables it). `step` lives as long as `board`.
void offerStep(QWidget& board, std::function<void()> step);

// How far the run has gone, in `window`'s title and as `board`'s description, so that
// a screen reader user can ask: "Cellarium — generation G, P cells" once stepped.
void showRunCount(QWidget& window, QWidget& board, qint64 generation, std::size_t cells);

}  // namespace boardaccessible
