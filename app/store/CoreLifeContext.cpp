#include "store/CoreLifeContext.h"

#include "store/CoreLifeStore.h"
#include "store/StoreChangeWatcher.h"

#include <QCoreApplication>

#include <algorithm>

namespace cellarium {

CoreLifeContext::CoreLifeContext(CoreLifeStore* store, StoreFailure unavailable, QObject* parent)
    : QObject(parent), store_(store), unavailable_(std::move(unavailable))
{
}

CoreLifeContext::~CoreLifeContext() = default;

std::shared_ptr<CoreLife> CoreLifeContext::insertNewObject()
{
    std::shared_ptr<CoreLife> record(new CoreLife(std::nullopt, std::nullopt, this));
    inserted_.push_back(record);
    return record;
}

void CoreLifeContext::deleteObject(const std::shared_ptr<CoreLife>& record)
{
    if (!record || record->context_ != this)
        return;
    if (!record->key_) {
        std::erase(inserted_, record);
        return;
    }
    deleted_.emplace(*record->key_, record);
    updated_.erase(*record->key_);
}

void CoreLifeContext::recordDidChange(std::shared_ptr<CoreLife> record)
{
    const std::int64_t key = *record->key_;
    if (!deleted_.contains(key))
        updated_[key] = std::move(record);
}

bool CoreLifeContext::hasChanges() const
{
    return !inserted_.empty() || !updated_.empty() || !deleted_.empty();
}

void CoreLifeContext::rollback()
{
    for (const auto& record : inserted_)
        record->context_ = nullptr;
    inserted_.clear();
    updated_.clear();
    deleted_.clear();
}

std::optional<StoreFailure> CoreLifeContext::save()
{
    if (!hasChanges())
        return std::nullopt;
    // Whatever fails below, nothing of this save may ride along with the next one.
    auto fail = [this](StoreFailure failure) {
        rollback();
        return failure;
    };
    if (!store_)
        return fail(StoreFailure{"the archive is unavailable: " + unavailable_.description});

    CoreLifeStore::Changes changes;
    for (const auto& [key, record] : deleted_)
        changes.deletions.push_back(key);
    for (const auto& [key, record] : updated_) {
        // An update writes both attributes, so the one not yet read is read first.
        if (!record->lifeDataLoaded_) {
            StoreResult<std::optional<std::string>> read = store_->readLifeData(key);
            if (!read)
                return fail(read.failure());
            record->lifeData_ = std::move(read.value());
            record->lifeDataLoaded_ = true;
        }
        changes.updates.push_back(record->row());
    }
    for (const auto& record : inserted_)
        changes.insertions.push_back(record->row());

    StoreResult<std::vector<std::int64_t>> written = store_->write(changes);
    if (!written)
        return fail(written.failure());

    for (std::size_t i = 0; i < inserted_.size(); ++i)
        inserted_[i]->key_ = written.value()[i];
    for (const auto& [key, record] : deleted_) {
        record->key_.reset();
        record->context_ = nullptr;
    }
    inserted_.clear();
    updated_.clear();
    deleted_.clear();
    emit objectsDidChange();
    return std::nullopt;
}

StoreResult<std::vector<std::shared_ptr<CoreLife>>> CoreLifeContext::fetchNewestFirst()
{
    if (!store_)
        return StoreFailure{"the archive is unavailable: " + unavailable_.description};
    StoreResult<std::vector<CoreLifeStore::Listed>> rows = store_->fetchNewestFirst();
    if (!rows)
        return rows.failure();
    std::vector<std::shared_ptr<CoreLife>> records;
    records.reserve(rows.value().size());
    for (const CoreLifeStore::Listed& row : rows.value())
        records.emplace_back(new CoreLife(row.key, row.addedDate, this));
    return records;
}

StoreResult<std::optional<std::string>> CoreLifeContext::readLifeData(std::int64_t key)
{
    if (!store_)
        return StoreFailure{"the archive is unavailable: " + unavailable_.description};
    return store_->readLifeData(key);
}

bool CoreLifeContext::mergeChangesFromStore()
{
    if (!store_ || !store_->changedElsewhere())
        return false;
    emit objectsDidChange();
    return true;
}

void CoreLifeContext::watchStoreFiles()
{
    // The watcher's notifications need an event loop; without an application object
    // there is none (the command-line tool), and merges happen only when asked for.
    if (!store_ || watcher_ || !QCoreApplication::instance())
        return;
    watcher_ = new StoreChangeWatcher(store_->file(), this);
    connect(watcher_, &StoreChangeWatcher::mayHaveChanged, this, &CoreLifeContext::mergeChangesFromStore);
}

}  // namespace cellarium
