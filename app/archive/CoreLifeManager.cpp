#include "CoreLifeManager.h"

#include "ProcessWide.h"
#include "StoreLocation.h"

#include <iostream>

namespace cellarium {

namespace {

std::unique_ptr<CoreLifeContainer> loadContainer()
{
    const std::optional<std::filesystem::path> file = coreLifeStoreFile();
    auto container = file ? std::make_unique<CoreLifeContainer>(*file)
                          : std::make_unique<CoreLifeContainer>(
                                StoreFailure{"no data folder: neither XDG_DATA_HOME nor a home folder is set"});
    if (const auto& failure = container->loadFailure())
        std::cerr << "The archive is unavailable: " << failure->description << std::endl;
    return container;
}

ProcessWide<CoreLifeContainer> shared(loadContainer);

}  // namespace

CoreLifeContainer& CoreLifeManager::persistentContainer()
{
    return shared.get();
}

void CoreLifeManager::replacePersistentContainer(std::unique_ptr<CoreLifeContainer> container)
{
    shared.replace(std::move(container));
}

void CoreLifeManager::reloadIfUnavailable()
{
    if (persistentContainer().isAvailable())
        return;
    std::unique_ptr<CoreLifeContainer> again = persistentContainer().loadedAgain();
    if (again && again->isAvailable())
        shared.replace(std::move(again));
}

bool CoreLifeManager::saveContext(const std::function<void(bool)>& completion, CoreLifeContainer& container)
{
    CoreLifeContext& context = container.viewContext();
    bool saved = false;
    if (context.hasChanges()) {
        if (const std::optional<StoreFailure> failure = context.save())
            std::cout << "Cannot save change ,error: " << failure->description << std::endl;
        else
            saved = true;
    }
    if (completion)
        completion(saved);
    return saved;
}

}  // namespace cellarium
