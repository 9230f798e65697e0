#pragma once

#include "platform/PlatformExport.h"

namespace platform {

// A session bus that accepts connections and never answers (a frozen bus daemon)
// holds whoever asks it for as long as libdbus waits, and Qt asks it on the main
// thread, without a bound we could set, before the first window appears (its
// accessibility bridge does). These look at it first, before Qt starts.

// Whether the session bus of this process's environment takes a connection and
// then does not answer the hello every client says (the authentication and the
// Hello call) within `timeoutMs`. False when it answers, when nothing listens at
// its address, and for transports other than unix sockets. Touches no Qt object;
// call it before the QApplication is made. Blocks for at most `timeoutMs`.
PLATFORM_EXPORT bool sessionBusIsSilent(int timeoutMs);

// Runs this process without its session bus: haptics and the screen-saver
// inhibition send nothing, and the bus's address in the environment points at
// nothing, so that every later request for the bus, Qt's own included, fails at
// once. Accessibility is off with it: Qt's bridge finds no bus, and the variable
// that would make it connect to an accessibility bus directly is removed.
// Main thread, before the QApplication is made and before any other thread runs.
PLATFORM_EXPORT void runWithoutSessionBus();

}  // namespace platform
