#pragma once

#include "options/SaveToArchive.h"

class QThreadPool;
namespace cellarium {
class CoreLifeManager;
}

// What the screens the registry makes are handed. Nothing here is owned; all of it
// outlives every screen made.
struct ScreenDependencies {
    // The archive the options screen saves to and the browser lists.
    cellarium::CoreLifeManager& archive;
    // The options screen's delayed work (the big alert's dismissal); empty: timers.
    SaveToArchive::DelayedWork delayedWork = {};
    // Where the browser draws thumbnails; null: the global pool.
    QThreadPool* thumbnailPool = nullptr;
};

// The app-wide screen registry: makes the options screen the destination of "ShowMore"
// for every screen of the process, and the screens it opens the destinations of their
// segues, each made with `dependencies`; gives the platform the app's two icons (the
// standard one and "OtherAppIcon"). Call at start, on the main thread (tests call it
// again with their own dependencies).
void registerScreens(const ScreenDependencies& dependencies);
