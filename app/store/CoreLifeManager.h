#pragma once

#include "store/CoreLifeContainer.h"

#include <cstdint>
#include <memory>
#include <string>

namespace cellarium {

// Owner of the archive: the one shared container and the save operation.
class CoreLifeManager {
public:
    // The process's container for the archive file at coreLifeStoreFile(), made and
    // loaded on the first call (a one-time guard makes concurrent first calls share
    // it) and kept until the process ends. When it cannot be loaded it is unavailable
    // (until reloadIfUnavailable loads it) and the reason is printed once on standard
    // error. Use it on the main thread.
    static CoreLifeContainer& persistentContainer();
    // Installs the container persistentContainer() returns from now on (tests hand in
    // one of their own); nullptr makes the next call load the archive file again.
    // Not while another thread uses the old one.
    static void replacePersistentContainer(std::unique_ptr<CoreLifeContainer> container);
    // When the container could not be loaded from its file, loads that file again and,
    // if it loads now, puts the new container in the old one's place (a lock held
    // elsewhere, or a file damaged and since restored, need not last as long as the
    // process). For a screen about to read the archive afresh: nothing may keep the
    // old container's context across this call. Main thread.
    static void reloadIfUnavailable();

    // Saves the container's viewContext: true when changes were written. With no
    // changes: false, nothing written. If the save fails, prints "Cannot save change
    // ,error: " and the reason on standard output, returns false and drops the changes
    // (CoreLifeContext::save).
    static bool saveContext(CoreLifeContainer& container = persistentContainer());

    // Archives one pattern: a new record of `lifeData` added at `addedDate`, saved at
    // once (with any other change the viewContext holds). The new record's id, or why
    // it was not saved, printed as saveContext prints it; a record not saved is
    // dropped, so no later save writes it.
    static StoreResult<std::int64_t> saveLife(std::string lifeData, CoreLife::Date addedDate,
                                              CoreLifeContainer& container = persistentContainer());

    CoreLifeManager() = delete;
};

}  // namespace cellarium
