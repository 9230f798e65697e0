#pragma once

#include "store/CoreLifeContext.h"
#include "store/StoreAccess.h"
#include "store/StoreResult.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>

namespace cellarium {

class CoreLifeStore;

// The archive: the store file, loaded once when the container is made, and its main
// context, through which every read and write goes. Use it on one thread (the main
// thread in the app).
//
// A store that cannot be loaded makes the container unavailable instead of stopping the
// program: loadFailure() says why, every fetch and save of the context fails, and the
// file is left exactly as it was.
class CoreLifeContainer {
public:
    static constexpr const char* kName = "CoreLife";
    static constexpr std::chrono::milliseconds kDefaultBusyTimeout{5000};

    // Loads the store at `file`, creating it when missing unless `access` is ReadOnly
    // (see CoreLifeStore::open). `busyTimeout` is how long a read or save waits for
    // another process's lock.
    explicit CoreLifeContainer(const std::filesystem::path& file,
                               std::chrono::milliseconds busyTimeout = kDefaultBusyTimeout,
                               StoreAccess access = StoreAccess::ReadWrite);
    // An unavailable container, for when there is no file to load.
    explicit CoreLifeContainer(StoreFailure unavailable);
    ~CoreLifeContainer();
    CoreLifeContainer(const CoreLifeContainer&) = delete;
    CoreLifeContainer& operator=(const CoreLifeContainer&) = delete;

    bool isAvailable() const { return !loadFailure_; }
    const std::optional<StoreFailure>& loadFailure() const { return loadFailure_; }
    // Available, but the file or its folder can only be read: saves fail.
    bool isReadOnly() const;

    CoreLifeContext& viewContext() { return *viewContext_; }

    // A new container loading the same file with the same settings; null for one made
    // unavailable without a file.
    std::unique_ptr<CoreLifeContainer> loadedAgain() const;

private:
    std::optional<std::filesystem::path> file_;
    std::chrono::milliseconds busyTimeout_{kDefaultBusyTimeout};
    StoreAccess access_ = StoreAccess::ReadWrite;
    std::unique_ptr<CoreLifeStore> store_;
    std::optional<StoreFailure> loadFailure_;
    std::unique_ptr<CoreLifeContext> viewContext_;
};

}  // namespace cellarium
