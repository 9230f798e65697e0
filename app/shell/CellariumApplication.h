#pragma once

#include "model/BoardGeometry.h"
#include "shell/CommandLineOptions.h"

// Names the application for Qt and the desktop, right after the QApplication is made:
// "cellarium" (the folders of its settings and archive) and, as its desktop file name,
// the application id that the installed desktop entry, metainfo and icons carry.
void nameApplication();

// Runs the app in an existing QApplication: hands the options to the platform,
// launches through the app delegate, shows the window with the board at its root
// and enters the event loop. Returns the loop's exit code.
int runCellarium(const CommandLineOptions& options);

// Hands the command-line overrides to the platform.
void applyPlatformOptions(const CommandLineOptions& options);

// The main screen as the board is handed it: its size in points and its scale.
cellarium::ScreenInputs mainScreenInputs();

// Registers the shell's resources (the app icon); runCellarium does it itself.
void loadShellResources();

// Gives the application's windows the app icon chosen on the options screen in an
// earlier run (the user's desktop entry names it already), the standard one
// otherwise. After registerScreens(); runCellarium does it itself.
void restoreAppIcon();
