#pragma once

#include <optional>

// With --scale S the whole interface, not only the board's cells, is drawn at
// S device pixels per point. Qt multiplies its global scale factor
// (QT_SCALE_FACTOR, read once when the application object is built) with the
// display's own ratio, which is known only once a display is open.

// The global factor that makes `requested` pixels per point on a display that
// shows `displayRatio` under the factor `presentFactor` (QT_SCALE_FACTOR as it
// is, 1 when unset); std::nullopt without a request or when the display
// already shows the requested ratio.
std::optional<double> interfaceScaleFactor(std::optional<double> requested, double displayRatio, double presentFactor);

// Sets QT_SCALE_FACTOR for `requested` (--scale), reading the display's ratio
// through a short-lived application object on a copy of the command line.
// Nothing without a request. Call before the QApplication is built, on the
// main thread; like building that object, it aborts where no display opens.
void applyInterfaceScale(int argc, char** argv, std::optional<double> requested);
