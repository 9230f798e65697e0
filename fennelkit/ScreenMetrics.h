#pragma once

#include "FennelKitExport.h"

namespace fennelkit {

// Process-wide values read from the platform once, by their first reader, and
// kept for the rest of the run (a later screen or storefront change does not
// alter them). Safe to read from any thread.

// The main screen's width and height in points, and its scale (pixels per point).
FENNELKIT_EXPORT double screenWidth();
FENNELKIT_EXPORT double screenHeight();
FENNELKIT_EXPORT double screenScale();

// Whether the storefront is China's ("CHN"). No storefront at all counts as China.
FENNELKIT_EXPORT bool isChn();

}  // namespace fennelkit
