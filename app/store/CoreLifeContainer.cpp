#include "store/CoreLifeContainer.h"

#include "store/CoreLifeStore.h"

namespace cellarium {

CoreLifeContainer::CoreLifeContainer(const std::filesystem::path& file, std::chrono::milliseconds busyTimeout,
                                     StoreAccess access)
    : file_(file), busyTimeout_(busyTimeout), access_(access)
{
    StoreResult<std::unique_ptr<CoreLifeStore>> opened = CoreLifeStore::open(file, busyTimeout, access);
    if (opened)
        store_ = std::move(opened.value());
    else
        loadFailure_ = opened.failure();
    viewContext_ = std::make_unique<CoreLifeContext>(store_.get(), loadFailure_.value_or(StoreFailure{}));
}

CoreLifeContainer::CoreLifeContainer(StoreFailure unavailable)
    : loadFailure_(unavailable), viewContext_(std::make_unique<CoreLifeContext>(nullptr, std::move(unavailable)))
{
}

// The context goes first: it refers to the store.
CoreLifeContainer::~CoreLifeContainer()
{
    viewContext_.reset();
}

std::unique_ptr<CoreLifeContainer> CoreLifeContainer::loadedAgain() const
{
    return file_ ? std::make_unique<CoreLifeContainer>(*file_, busyTimeout_, access_) : nullptr;
}

bool CoreLifeContainer::isReadOnly() const
{
    return store_ && store_->isReadOnly();
}

}  // namespace cellarium
