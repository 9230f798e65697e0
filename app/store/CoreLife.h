#pragma once

#include "store/CoreLifeRow.h"
#include "store/StoreResult.h"

#include <QPointer>

#include <memory>
#include <optional>
#include <string>

namespace cellarium {

class CoreLifeContext;

// One archived pattern: a record of the entity "CoreLife", with two optional
// attributes. Every record the app creates has both set.
//
// Records are made by a context (insertNewObject, or a fetch) and shared by pointer.
// A fetch makes fresh objects for the rows it reads, so two fetches give two objects
// for one row; either one deletes or changes that row. Setting an attribute of a saved
// record marks it updated in its context, which writes it at the next save.
//
// A fetched record reads its lifeData from the store when first asked, so that a
// listing costs no more than its dates; it reads as absent when its row is gone by
// then or cannot be read. Use a record on its context's thread.
class CoreLife : public std::enable_shared_from_this<CoreLife> {
public:
    using Date = CoreLifeDate;

    // When the pattern was archived; the archive's sort key.
    const std::optional<Date>& addedDate() const { return addedDate_; }
    void setAddedDate(std::optional<Date> date);

    // The pattern in the pattern encoding (PatternCoding.h), byte for byte as set.
    const std::optional<std::string>& lifeData() const;
    // Reads lifeData from the store when not yet read: why it cannot be read, or
    // nothing when it is at hand. Callers that must not take a failed read for an
    // absent pattern (a backup) ask this first.
    std::optional<StoreFailure> loadLifeData() const;
    void setLifeData(std::optional<std::string> bytes);

    // The record's row in the store, once saved or fetched; absent before its insert is
    // saved and after its deletion is. Rows are never given the id of a deleted one, so
    // two objects with one id hold the same record.
    const std::optional<std::int64_t>& objectID() const { return key_; }

private:
    friend class CoreLifeContext;
    CoreLife(std::optional<std::int64_t> key, std::optional<Date> addedDate, CoreLifeContext* context);
    void didChange();
    CoreLifeRow row() const;

    std::optional<std::int64_t> key_;  // the row, once saved or fetched
    std::optional<Date> addedDate_;
    mutable std::optional<std::string> lifeData_;
    mutable bool lifeDataLoaded_;
    QPointer<CoreLifeContext> context_;  // cleared once the record's deletion is saved
};

}  // namespace cellarium
