#include "store/CoreLife.h"

#include "store/CoreLifeContext.h"

namespace cellarium {

CoreLife::CoreLife(std::optional<std::int64_t> key, std::optional<Date> addedDate, CoreLifeContext* context)
    : key_(key), addedDate_(addedDate), lifeDataLoaded_(!key), context_(context)
{
}

void CoreLife::setAddedDate(std::optional<Date> date)
{
    addedDate_ = date;
    didChange();
}

const std::optional<std::string>& CoreLife::lifeData() const
{
    loadLifeData();
    return lifeData_;
}

std::optional<StoreFailure> CoreLife::loadLifeData() const
{
    if (lifeDataLoaded_ || !key_ || !context_)
        return std::nullopt;
    StoreResult<std::optional<std::string>> read = context_->readLifeData(*key_);
    if (!read)
        return read.failure();
    lifeData_ = std::move(read.value());
    lifeDataLoaded_ = true;
    return std::nullopt;
}

void CoreLife::setLifeData(std::optional<std::string> bytes)
{
    lifeData_ = std::move(bytes);
    lifeDataLoaded_ = true;
    didChange();
}

void CoreLife::didChange()
{
    // A pending insert is written with whatever values it has when saved.
    if (key_ && context_)
        context_->recordDidChange(shared_from_this());
}

CoreLifeRow CoreLife::row() const
{
    return {key_, addedDate_, lifeData_};
}

}  // namespace cellarium
