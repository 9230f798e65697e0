#pragma once

#include "store/CoreLife.h"
#include "store/StoreResult.h"

#include <QObject>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace cellarium {

class CoreLifeStore;
class StoreChangeWatcher;

// The container's main context: the records' changes pending until a save, and the
// way to read and save them. Use it on the thread that made it (the main thread in
// the app); every call is synchronous.
//
// Pending changes are inserts, updates and deletions. A save writes all of them in one
// transaction; if it fails, none is written and none stays pending: a later save
// carries nothing of it, and the store and its fetches stay as they were. Fetches
// read what the store holds; pending changes appear in them once saved.
class CoreLifeContext : public QObject {
    Q_OBJECT

public:
    // `store` is not owned and outlives the context. Without a store the context is
    // unavailable: every fetch and save fails, citing `unavailable`.
    CoreLifeContext(CoreLifeStore* store, StoreFailure unavailable, QObject* parent = nullptr);
    ~CoreLifeContext() override;

    // A new record with no attributes set, pending until saved.
    std::shared_ptr<CoreLife> insertNewObject();
    // Marks the record's row for deletion at the next save; a record not yet saved
    // is dropped at once. Records of another context, and null, are ignored.
    void deleteObject(const std::shared_ptr<CoreLife>& record);

    bool hasChanges() const;

    // Writes the pending changes in one transaction. nullopt when they are written (or
    // there were none); objectsDidChange is emitted after a write. On failure nothing
    // was written and every change is dropped (rollback): a record inserted since
    // belongs to no context any more, a deleted one is a record of the store again,
    // and a changed one keeps its values in memory, unsaved (a fetch reads the stored ones).
    std::optional<StoreFailure> save();

    // The records the store holds, newest first by addedDate; those without a date last.
    // Their lifeData is read when first asked for.
    StoreResult<std::vector<std::shared_ptr<CoreLife>>> fetchNewestFirst();

    // If another connection (another process) changed the store since the last check,
    // emits objectsDidChange and returns true.
    bool mergeChangesFromStore();
    // From now on merges changes of other processes when the store's files change,
    // through this thread's event loop. Does nothing without a QCoreApplication, or
    // when called again.
    void watchStoreFiles();

    bool isAvailable() const { return store_ != nullptr; }

signals:
    // The stored records changed: after a save that wrote changes, or after a merge.
    void objectsDidChange();

private:
    friend class CoreLife;
    void recordDidChange(std::shared_ptr<CoreLife> record);
    StoreResult<std::optional<std::string>> readLifeData(std::int64_t key);
    void rollback();

    CoreLifeStore* store_;
    StoreFailure unavailable_;
    std::vector<std::shared_ptr<CoreLife>> inserted_;
    std::map<std::int64_t, std::shared_ptr<CoreLife>> updated_;
    std::map<std::int64_t, std::shared_ptr<CoreLife>> deleted_;
    StoreChangeWatcher* watcher_ = nullptr;  // a child of this context
};

}  // namespace cellarium
