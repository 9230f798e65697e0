#include "store/CoreLifeStore.h"

#include <sqlite3.h>

#include <string>

// The archive's schema: reading what a file holds, setting up a new file, migrating
// an older format and making the listing's index.

namespace cellarium {

namespace {

constexpr const char* kCreateIndex = "CREATE INDEX IF NOT EXISTS CoreLifeByAddedDate ON CoreLife (addedDate)";
constexpr const char* kCreateTable =
    "CREATE TABLE CoreLife (id INTEGER PRIMARY KEY AUTOINCREMENT, addedDate INTEGER, lifeData BLOB)";

}  // namespace

bool CoreLifeStore::isReadableVersion(int version)
{
    return version >= CoreLifeStore::kOldestReadableVersion && version <= CoreLifeStore::kSchemaVersion;
}

// Reads what the file holds without writing to it. Returns an SQLite result code.
int CoreLifeStore::readLayout(sqlite3* db, Layout& layout)
{
    SqliteStatement version(db, "PRAGMA user_version");
    if (!version.isPrepared())
        return sqlite3_extended_errcode(db);
    if (const int rc = version.step(); rc != SQLITE_ROW)
        return rc;
    layout.version = static_cast<int>(version.integer(0));

    SqliteStatement objects(db, "SELECT count(*), coalesce(sum(type = 'table' AND name = 'CoreLife'), 0) FROM sqlite_schema");
    if (!objects.isPrepared())
        return sqlite3_extended_errcode(db);
    if (const int rc = objects.step(); rc != SQLITE_ROW)
        return rc;
    layout.schemaObjects = objects.integer(0);
    layout.namesArchiveTable = objects.integer(1) > 0;
    layout.hasArchiveTable = SqliteStatement(db, "SELECT id, addedDate, lifeData FROM CoreLife").isPrepared();
    return SQLITE_OK;
}

bool CoreLifeStore::createIndexIfMissing()
{
    return execute(kCreateIndex);
}

std::optional<StoreFailure> CoreLifeStore::createSchema(Layout& layout)
{
    const std::string doing = "cannot set up the archive in " + file_.string();
    // Another process may be setting up the same new file: look again under the write lock.
    if (!execute("BEGIN IMMEDIATE"))
        return failure(doing);
    const bool stillNew = readLayout(db_.get(), layout) == SQLITE_OK && layout.isNew();
    const bool created =
        !stillNew || (execute(kCreateTable) &&
                      execute(kCreateIndex) &&
                      execute(("PRAGMA user_version = " + std::to_string(kSchemaVersion)).c_str()));
    if (!created || !execute("COMMIT")) {
        const StoreFailure why = failure(doing);
        execute("ROLLBACK");
        return why;
    }
    if (readLayout(db_.get(), layout) != SQLITE_OK)
        return failure("cannot open " + file_.string());
    return std::nullopt;
}

std::optional<StoreFailure> CoreLifeStore::migrate(Layout& layout)
{
    const std::string refused = file_.string() + " could not be brought to archive format " +
                                std::to_string(kSchemaVersion) + " and was left as it is";
    if (!execute("BEGIN IMMEDIATE"))
        return failure("cannot open " + file_.string());
    auto abandon = [&](StoreFailure why) {
        execute("ROLLBACK");
        return why;
    };
    // Another process may have migrated it while this one waited for the lock.
    if (readLayout(db_.get(), layout) != SQLITE_OK)
        return abandon(failure("cannot open " + file_.string()));
    if (layout.version == kSchemaVersion && layout.hasArchiveTable) {
        execute("ROLLBACK");
        return std::nullopt;
    }
    if (!isReadableVersion(layout.version) || !layout.hasArchiveTable)
        return abandon(StoreFailure{file_.string() + " is not a Cellarium archive"});
    // Columns added by another program would be lost in the copy.
    SqliteStatement columns(db_.get(), "SELECT count(*) FROM pragma_table_info('CoreLife')");
    if (!columns.isPrepared() || columns.step() != SQLITE_ROW)
        return abandon(failure(refused));
    if (columns.integer(0) != 3)
        return abandon(StoreFailure{refused + ": its CoreLife table has columns of another program"});
    columns = SqliteStatement();

    // Copied with their ids, so that the order of equal dates and every id stay; the
    // new table's sequence starts after the highest id.
    const bool migrated =
        execute("CREATE TABLE CoreLifeMigrating (id INTEGER PRIMARY KEY AUTOINCREMENT, addedDate INTEGER, lifeData BLOB)") &&
        execute("INSERT INTO CoreLifeMigrating (id, addedDate, lifeData) SELECT id, addedDate, lifeData FROM CoreLife") &&
        execute("DROP TABLE CoreLife") && execute("ALTER TABLE CoreLifeMigrating RENAME TO CoreLife") &&
        execute(kCreateIndex) && execute(("PRAGMA user_version = " + std::to_string(kSchemaVersion)).c_str());
    if (!migrated)
        return abandon(failure(refused));
    if (!execute("COMMIT"))
        return abandon(failure(refused));
    if (readLayout(db_.get(), layout) != SQLITE_OK)
        return failure("cannot open " + file_.string());
    return std::nullopt;
}

}  // namespace cellarium
