#pragma once

#include "store/CoreLifeRow.h"
#include "store/SqliteStatement.h"
#include "store/StoreAccess.h"
#include "store/StoreResult.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

struct sqlite3;

namespace cellarium {

// The archive file: one SQLite database.
//
// Format, schema version 2, kept in the file's PRAGMA user_version:
//
//     CREATE TABLE CoreLife (
//         id INTEGER PRIMARY KEY AUTOINCREMENT,  -- the record's identity; never given twice
//         addedDate INTEGER,  -- milliseconds since 1970-01-01T00:00:00Z; NULL when absent
//         lifeData BLOB       -- the pattern encoding's bytes, unchanged; NULL when absent
//     );
//     CREATE INDEX CoreLifeByAddedDate ON CoreLife (addedDate);  -- the listing's order
//
// Version 1 had the same table without AUTOINCREMENT, so a deleted newest record's id
// went to the next record added, and a record object fetched before then read or
// deleted the newcomer. Opening a version 1 file for writing migrates it in place, in
// one transaction (ids, dates and bytes kept); a file that cannot be migrated is
// refused and left as it is. A version 1 file opened read-only is read as it is.
//
// The index is made again when missing from a file this version can write.
// Before anything is written to an existing file, it must pass SQLite's quick integrity
// check; a damaged file is refused and left exactly as it is.
// A file with user_version 0 and no schema objects (a new or empty file) gets this
// schema. A later version that changes the format raises user_version and migrates
// older files when it opens them; this version refuses a file of a higher version, and
// any other database, and leaves such files exactly as they are.
//
// Durability: the file is in WAL journal mode and every connection uses
// synchronous=FULL (both checked when opening for writing: a file that refuses either
// does not load), so a commit has been fsynced to the WAL file (and the WAL file's
// folder entry, when the WAL file is new) before it returns; a commit that returned is
// kept through a crash or power loss. Every connection waits up to its busy timeout for
// another connection's lock before a read or write gives up.
//
// One object is one connection, used on one thread. Its opening and recovery, its
// schema, and its rows are implemented in CoreLifeStore.cpp, CoreLifeStoreSchema.cpp
// and CoreLifeStoreRows.cpp.
class CoreLifeStore {
public:
    static constexpr int kSchemaVersion = 2;
    // The oldest format this version reads, and migrates when it writes.
    static constexpr int kOldestReadableVersion = 1;
    // Whether this version reads files of archive format `version`.
    static bool isReadableVersion(int version);

    // Opens `file`. For ReadWrite, creates it and its missing folders (mode 0700); a file
    // or folder that can only be read opens read-only: fetches work and writes fail.
    // ReadOnly never writes to the file and a new (empty) file lists no records; a
    // missing file fails. A file that cannot be opened, is not an archive or fails the
    // integrity check is left untouched and the failure says why, in one line.
    //
    // A write-ahead log that cannot be read in place (a folder that cannot be written,
    // without the log's shared-memory file) is read from a private copy of the file and
    // the log, made in the temporary folder and removed on destruction; such a store is
    // read-only and sees no later changes.
    static StoreResult<std::unique_ptr<CoreLifeStore>> open(const std::filesystem::path& file,
                                                            std::chrono::milliseconds busyTimeout,
                                                            StoreAccess access = StoreAccess::ReadWrite);
    ~CoreLifeStore();
    CoreLifeStore(const CoreLifeStore&) = delete;
    CoreLifeStore& operator=(const CoreLifeStore&) = delete;

    const std::filesystem::path& file() const { return file_; }
    bool isReadOnly() const { return readOnly_; }

    struct Listed {
        std::int64_t key;
        std::optional<CoreLifeDate> addedDate;
    };
    // Every row's key and date, newest first by addedDate, rows without one last; rows
    // of equal date latest written first. A stored date that is not a number reads as
    // absent. Reads the index alone, not the patterns.
    StoreResult<std::vector<Listed>> fetchNewestFirst();

    // The row's lifeData; absent when it is NULL or the row is gone.
    StoreResult<std::optional<std::string>> readLifeData(std::int64_t key);

    struct Changes {
        std::vector<std::int64_t> deletions;
        std::vector<CoreLifeRow> updates;     // each with its key; a row gone meanwhile is skipped
        std::vector<CoreLifeRow> insertions;  // their keys are ignored
        bool empty() const { return deletions.empty() && updates.empty() && insertions.empty(); }
    };
    // Writes all the changes in one transaction, or none of them. Returns the keys the
    // insertions were given, in their order.
    StoreResult<std::vector<std::int64_t>> write(const Changes& changes);

    // True when another connection has committed a change since the last call, or
    // since opening, and when that cannot be told.
    bool changedElsewhere();

    // What a file holds, as read before anything is written to it.
    struct Layout {
        int version = 0;
        std::int64_t schemaObjects = 0;
        bool namesArchiveTable = false;  // a table named "CoreLife"
        bool hasArchiveTable = false;    // one with the columns this version reads

        bool isNew() const { return version == 0 && schemaObjects == 0; }
    };

private:
    struct Closer {
        void operator()(sqlite3* db) const;
    };
    using Connection = std::unique_ptr<sqlite3, Closer>;

    CoreLifeStore(std::filesystem::path file, Connection db, std::filesystem::path privateCopy);
    static StoreResult<Connection> connect(const std::string& name, int flags, std::chrono::milliseconds busyTimeout);
    static StoreResult<Connection> connectReadable(const std::filesystem::path& file,
                                                   std::chrono::milliseconds busyTimeout, StoreAccess access,
                                                   Layout& layout, std::filesystem::path& privateCopy);
    static StoreResult<Connection> connectToPrivateCopy(const std::filesystem::path& file,
                                                        std::chrono::milliseconds busyTimeout, Layout& layout,
                                                        std::filesystem::path& privateCopy);
    std::optional<StoreFailure> checkIntegrity();
    std::optional<StoreFailure> setDurability();
    // Reads what the file holds without writing to it. Returns an SQLite result code.
    static int readLayout(sqlite3* db, Layout& layout);
    std::optional<StoreFailure> createSchema(Layout& layout);
    bool createIndexIfMissing();
    std::optional<StoreFailure> migrate(Layout& layout);
    std::optional<StoreFailure> prepareStatements();
    StoreFailure failure(const std::string& doing) const;
    bool execute(const char* sql);
    std::optional<std::int64_t> dataVersion();  // nullopt when it cannot be read

    std::filesystem::path file_;
    // The folder of a private copy, removed after the connection is closed.
    struct RemovedFolder {
        std::filesystem::path path;  // empty when there is none
        ~RemovedFolder();
    };
    RemovedFolder privateCopy_;
    Connection db_;
    bool readOnly_ = false;
    bool withoutSchema_ = false;  // a new file opened for reading: no records
    std::int64_t lastDataVersion_ = 0;
    SqliteStatement fetch_;
    SqliteStatement readLifeData_;
    SqliteStatement insert_;
    SqliteStatement update_;
    SqliteStatement delete_;
    SqliteStatement dataVersion_;
};

}  // namespace cellarium
