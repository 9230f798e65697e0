#pragma once

#include "store/StoreResult.h"

namespace cellarium {

class FetchedResultsController;

// What a live query tells its delegate, on the context's thread.
class FetchedResultsControllerDelegate {
public:
    virtual ~FetchedResultsControllerDelegate() = default;

    // The results are about to be replaced; they still hold the old records.
    virtual void controllerWillChangeContent(FetchedResultsController&) {}
    // The results now hold the records as the store has them.
    virtual void controllerDidChangeContent(FetchedResultsController& controller) = 0;
    // The store changed but could not be read again; the results are unchanged.
    virtual void controllerDidFailToRefetch(FetchedResultsController&, const StoreFailure&) {}
};

}  // namespace cellarium
