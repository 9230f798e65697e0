#pragma once

#include "model/LifeSet.h"
#include "store/StoreResult.h"

#include <cstdint>
#include <functional>

class QObject;
namespace cellarium {
class CoreLifeManager;
}
namespace platform {
class ViewController;
}

// The options screen's "Save to archive": the board's live cells saved as a new
// record of the archive now, and the big alert that answers it over the screen.
// Main thread only.
class SaveToArchive {
public:
    static constexpr int alertDelayMs = 1000;

    // Runs `work` on the main thread after `ms` milliseconds unless `context` is gone;
    // empty runs it on a timer.
    using DelayedWork = std::function<void(int ms, QObject* context, std::function<void()> work)>;

    // Saves `lifes` in `archive` (CoreLifeManager::saveLife) and, on the next turn of the
    // event loop and unless `screen` is gone by then, presents the answer over it (showAnswer).
    static void save(const cellarium::LifeSet& lifes, cellarium::CoreLifeManager& archive,
                     platform::ViewController& screen, DelayedWork delayedWork);
    // Presents BigAlertController::saveConfirmation(saved) over `screen` and dismisses
    // it alertDelayMs after it has appeared.
    static void showAnswer(const cellarium::StoreResult<std::int64_t>& saved, platform::ViewController& screen,
                           const DelayedWork& delayedWork);

    SaveToArchive() = delete;
};
