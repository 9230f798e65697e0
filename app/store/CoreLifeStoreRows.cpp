#include "store/CoreLifeStore.h"

#include <sqlite3.h>

#include <cmath>

// The archive's rows: the prepared statements, the listing, a pattern's read, the
// writing of changes and the check for changes made elsewhere.

namespace cellarium {

namespace {

std::optional<CoreLifeDate> dateIn(const SqliteStatement& row, int column)
{
    switch (row.type(column)) {
    case SQLITE_INTEGER:
        return CoreLifeDate(std::chrono::milliseconds(row.integer(column)));
    case SQLITE_FLOAT: {
        const double ms = row.real(column);
        if (std::isfinite(ms) && std::fabs(ms) < 9.2e18)
            return CoreLifeDate(std::chrono::milliseconds(std::llround(ms)));
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

std::optional<std::int64_t> millisecondsOf(const std::optional<CoreLifeDate>& date)
{
    if (!date)
        return std::nullopt;
    return date->time_since_epoch().count();
}

}  // namespace

std::optional<StoreFailure> CoreLifeStore::prepareStatements()
{
    sqlite3* db = db_.get();
    fetch_ = SqliteStatement(db, "SELECT id, addedDate FROM CoreLife ORDER BY addedDate DESC, id DESC");
    readLifeData_ = SqliteStatement(db, "SELECT lifeData FROM CoreLife WHERE id = ?1");
    insert_ = SqliteStatement(db, "INSERT INTO CoreLife (addedDate, lifeData) VALUES (?1, ?2)");
    update_ = SqliteStatement(db, "UPDATE CoreLife SET addedDate = ?2, lifeData = ?3 WHERE id = ?1");
    delete_ = SqliteStatement(db, "DELETE FROM CoreLife WHERE id = ?1");
    dataVersion_ = SqliteStatement(db, "PRAGMA data_version");
    // A read-only file may refuse the writing statements; its saves fail in write().
    if (!fetch_.isPrepared() || !readLifeData_.isPrepared() || !dataVersion_.isPrepared())
        return failure("cannot open " + file_.string());
    return std::nullopt;
}

std::optional<std::int64_t> CoreLifeStore::dataVersion()
{
    std::optional<std::int64_t> version;
    if (dataVersion_.step() == SQLITE_ROW)
        version = dataVersion_.integer(0);
    dataVersion_.reset();
    return version;
}

bool CoreLifeStore::changedElsewhere()
{
    // A version that cannot be read (a file damaged or locked meanwhile) may hide a
    // change: reading again tells whether the archive can still be read.
    const std::optional<std::int64_t> version = dataVersion();
    if (!version)
        return true;
    const bool changed = *version != lastDataVersion_;
    lastDataVersion_ = *version;
    return changed;
}

StoreResult<std::vector<CoreLifeStore::Listed>> CoreLifeStore::fetchNewestFirst()
{
    std::vector<Listed> rows;
    if (withoutSchema_)
        return rows;
    int rc;
    while ((rc = fetch_.step()) == SQLITE_ROW)
        rows.push_back({fetch_.integer(0), dateIn(fetch_, 1)});
    fetch_.reset();
    if (rc != SQLITE_DONE)
        return failure("cannot read the archive");
    return rows;
}

StoreResult<std::optional<std::string>> CoreLifeStore::readLifeData(std::int64_t key)
{
    if (withoutSchema_)
        return std::optional<std::string>();
    readLifeData_.bind(1, key);
    std::optional<std::string> bytes;
    const int rc = readLifeData_.step();
    if (rc == SQLITE_ROW && !readLifeData_.isNull(0))
        bytes = readLifeData_.bytes(0);
    readLifeData_.reset();
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        return failure("cannot read the archive");
    return bytes;
}

StoreResult<std::vector<std::int64_t>> CoreLifeStore::write(const Changes& changes)
{
    if (!insert_.isPrepared() || !update_.isPrepared() || !delete_.isPrepared())
        return StoreFailure{"the archive " + file_.string() + " cannot be written"};
    if (!execute("BEGIN IMMEDIATE"))
        return failure("cannot write the archive");

    auto run = [](SqliteStatement& statement) {
        const int rc = statement.step();
        statement.reset();
        return rc == SQLITE_DONE;
    };
    auto abandon = [this] {
        const StoreFailure why = failure("cannot write the archive");
        if (!sqlite3_get_autocommit(db_.get()))
            execute("ROLLBACK");
        return why;
    };

    for (const std::int64_t key : changes.deletions) {
        delete_.bind(1, key);
        if (!run(delete_))
            return abandon();
    }
    for (const CoreLifeRow& row : changes.updates) {
        update_.bind(1, row.key);
        update_.bind(2, millisecondsOf(row.addedDate));
        update_.bind(3, row.lifeData);
        if (!run(update_))
            return abandon();
    }
    std::vector<std::int64_t> keys;
    keys.reserve(changes.insertions.size());
    for (const CoreLifeRow& row : changes.insertions) {
        insert_.bind(1, millisecondsOf(row.addedDate));
        insert_.bind(2, row.lifeData);
        if (!run(insert_))
            return abandon();
        keys.push_back(sqlite3_last_insert_rowid(db_.get()));
    }
    if (!execute("COMMIT"))
        return abandon();
    return keys;
}


}  // namespace cellarium
