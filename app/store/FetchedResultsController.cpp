#include "store/FetchedResultsController.h"

#include "store/CoreLifeContext.h"
#include "store/FetchedResultsControllerDelegate.h"

namespace cellarium {

FetchedResultsController::FetchedResultsController(CoreLifeContext& context, QObject* parent)
    : QObject(parent), context_(context)
{
}

FetchedResultsController::~FetchedResultsController() = default;

std::optional<StoreFailure> FetchedResultsController::performFetch()
{
    if (!following_) {
        following_ = true;
        connect(&context_, &CoreLifeContext::objectsDidChange, this, &FetchedResultsController::storeDidChange);
        context_.watchStoreFiles();
    }
    StoreResult<std::vector<std::shared_ptr<CoreLife>>> fetched = context_.fetchNewestFirst();
    if (!fetched)
        return fetched.failure();
    records_ = std::move(fetched.value());
    return std::nullopt;
}

void FetchedResultsController::storeDidChange()
{
    StoreResult<std::vector<std::shared_ptr<CoreLife>>> fetched = context_.fetchNewestFirst();
    if (!fetched) {
        if (delegate_)
            delegate_->controllerDidFailToRefetch(*this, fetched.failure());
        return;
    }
    if (delegate_)
        delegate_->controllerWillChangeContent(*this);
    records_ = std::move(fetched.value());
    if (delegate_)
        delegate_->controllerDidChangeContent(*this);
}

}  // namespace cellarium
