#include "store/CoreLifeManager.h"

#include "store/StoreLocation.h"

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

// Saves `context`, printing why a save failed.
std::optional<StoreFailure> saveReporting(CoreLifeContext& context)
{
    std::optional<StoreFailure> failure = context.save();
    if (failure)
        std::cout << "Cannot save change ,error: " << failure->description << std::endl;
    return failure;
}

}  // namespace

CoreLifeManager::CoreLifeManager() = default;

CoreLifeManager::CoreLifeManager(std::unique_ptr<CoreLifeContainer> container) : container_(std::move(container)) {}

CoreLifeManager::~CoreLifeManager() = default;

CoreLifeContainer& CoreLifeManager::persistentContainer()
{
    if (!container_)
        container_ = loadContainer();
    return *container_;
}

void CoreLifeManager::replacePersistentContainer(std::unique_ptr<CoreLifeContainer> container)
{
    container_ = std::move(container);
}

void CoreLifeManager::reloadIfUnavailable()
{
    if (persistentContainer().isAvailable())
        return;
    std::unique_ptr<CoreLifeContainer> again = persistentContainer().loadedAgain();
    if (again && again->isAvailable())
        container_ = std::move(again);
}

bool CoreLifeManager::saveContext(CoreLifeContainer& container)
{
    CoreLifeContext& context = container.viewContext();
    return context.hasChanges() && !saveReporting(context);
}

StoreResult<std::int64_t> CoreLifeManager::saveLife(std::string lifeData, CoreLife::Date addedDate,
                                                    CoreLifeContainer& container)
{
    CoreLifeContext& context = container.viewContext();
    const std::shared_ptr<CoreLife> record = context.insertNewObject();
    record->setLifeData(std::move(lifeData));
    record->setAddedDate(addedDate);
    // A failed save drops every pending change, this record with them.
    if (std::optional<StoreFailure> failure = saveReporting(context))
        return std::move(*failure);
    return *record->objectID();
}

}  // namespace cellarium
