#pragma once

#include "store/CoreLifeContainer.h"

#include <cstdint>
#include <memory>
#include <string>

namespace cellarium {

// Owner of the archive: its container and the save operation. The program's entry
// makes one for the process and hands it to the screens that read or write the
// archive; tests make their own over a file of theirs. Main thread only.
class CoreLifeManager {
public:
    // The archive at coreLifeStoreFile(), loaded on the first persistentContainer().
    CoreLifeManager();
    // The archive of `container` (tests).
    explicit CoreLifeManager(std::unique_ptr<CoreLifeContainer> container);
    ~CoreLifeManager();
    CoreLifeManager(const CoreLifeManager&) = delete;
    CoreLifeManager& operator=(const CoreLifeManager&) = delete;

    // The container, loaded on the first call and kept for the manager's life. When it
    // cannot be loaded it is unavailable (until reloadIfUnavailable loads it) and the
    // reason is printed once on standard error.
    CoreLifeContainer& persistentContainer();
    // Puts `container` in the current one's place (tests); nullptr makes the next
    // persistentContainer() load the archive file again.
    void replacePersistentContainer(std::unique_ptr<CoreLifeContainer> container);
    // When the container could not be loaded from its file, loads that file again and,
    // if it loads now, puts the new container in the old one's place (a lock held
    // elsewhere, or a file damaged and since restored, need not last as long as the
    // process). For a screen about to read the archive afresh: nothing may keep the
    // old container's context across this call.
    void reloadIfUnavailable();

    // Saves the container's viewContext: true when changes were written. With no
    // changes: false, nothing written. If the save fails, prints "Cannot save change
    // ,error: " and the reason on standard output, returns false and drops the changes
    // (CoreLifeContext::save).
    static bool saveContext(CoreLifeContainer& container);

    // Archives one pattern: a new record of `lifeData` added at `addedDate`, saved at
    // once (with any other change the viewContext holds). The new record's id, or why
    // it was not saved, printed as saveContext prints it; a record not saved is
    // dropped, so no later save writes it.
    static StoreResult<std::int64_t> saveLife(std::string lifeData, CoreLife::Date addedDate,
                                              CoreLifeContainer& container);

private:
    std::unique_ptr<CoreLifeContainer> container_;
};

}  // namespace cellarium
