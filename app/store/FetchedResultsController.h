#pragma once

#include "store/CoreLife.h"
#include "store/StoreResult.h"

#include <QObject>

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

namespace cellarium {

class CoreLifeContext;
class FetchedResultsControllerDelegate;

// The live listing of the archive: every record, newest first by addedDate (those
// without a date last), one section. After performFetch, whether it succeeded or not,
// it follows the store: when a save of the context writes changes, or another
// process's changes are merged, it reads the records again and tells its delegate, on
// the context's thread; so a listing that could not be read comes back once the store
// can be read again. Changes of
// other processes are noticed through the store's files, so they need the thread's
// event loop to run.
//
// The context must outlive the controller; so must the delegate, or be unset first.
class FetchedResultsController : public QObject {
    Q_OBJECT

public:
    explicit FetchedResultsController(CoreLifeContext& context, QObject* parent = nullptr);
    ~FetchedResultsController() override;

    // Not owned; null for none.
    void setDelegate(FetchedResultsControllerDelegate* delegate) { delegate_ = delegate; }

    // Reads the records; nullopt on success. On failure the results stay as they were.
    // Either way the listing follows the store from now on.
    std::optional<StoreFailure> performFetch();

    const std::vector<std::shared_ptr<CoreLife>>& fetchedObjects() const { return records_; }
    // Precondition: row < fetchedObjects().size().
    const std::shared_ptr<CoreLife>& object(std::size_t row) const { return records_.at(row); }

private:
    void storeDidChange();

    CoreLifeContext& context_;
    FetchedResultsControllerDelegate* delegate_ = nullptr;
    std::vector<std::shared_ptr<CoreLife>> records_;
    bool following_ = false;
};

}  // namespace cellarium
