#include "store/CoreLifeStore.h"

// The archive's opening: the connection, the read-only and private-copy fallbacks,
// the integrity and durability checks before a write, and the store's lifetime.

#include <sqlite3.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <thread>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cellarium {

namespace {

namespace fs = std::filesystem;

// Opening a WAL file needs its -shm side file; in a folder that cannot be written,
// where the side files are missing, only an immutable read-only open can read it.
bool needsSideFiles(int rc)
{
    return (rc & 0xff) == SQLITE_READONLY || (rc & 0xff) == SQLITE_CANTOPEN;
}

std::string immutableUri(const fs::path& file)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri = "file:";
    for (const unsigned char c : file.string()) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 0xf];
        }
    }
    return uri + "?immutable=1";
}

// A new folder entry reaches the disk only when its parent folder is synced.
void syncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::optional<StoreFailure> createFolder(const fs::path& folder)
{
    std::error_code error;
    if (folder.empty() || fs::is_directory(folder, error))
        return std::nullopt;
    if (folder.has_relative_path() && folder.parent_path() != folder) {
        if (auto failure = createFolder(folder.parent_path()))
            return failure;
    }
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return StoreFailure{"cannot create the folder " + folder.string() + ": " + std::strerror(errno)};
    syncFolder(folder.parent_path());
    return std::nullopt;
}

}  // namespace

void CoreLifeStore::Closer::operator()(sqlite3* db) const
{
    sqlite3_close_v2(db);
}

StoreResult<CoreLifeStore::Connection> CoreLifeStore::connect(const std::string& name, int flags,
                                                              std::chrono::milliseconds busyTimeout)
{
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(name.c_str(), &raw, flags | SQLITE_OPEN_EXRESCODE, nullptr);
    Connection db(raw);
    if (rc != SQLITE_OK)
        return StoreFailure{raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc)};
    sqlite3_busy_timeout(db.get(), static_cast<int>(busyTimeout.count()));
    // The file may come from elsewhere: its schema runs no functions of ours.
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db.get(), SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    return db;
}

StoreResult<CoreLifeStore::Connection> CoreLifeStore::connectReadable(const fs::path& file,
                                                                      std::chrono::milliseconds busyTimeout,
                                                                      StoreAccess access, Layout& layout,
                                                                      fs::path& privateCopy)
{
    const int flags =
        access == StoreAccess::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    auto connected = connect(file.string(), flags, busyTimeout);
    if (!connected)
        return connected.failure();
    int rc = readLayout(connected.value().get(), layout);
    if (rc == SQLITE_OK)
        return std::move(connected).value();
    if (needsSideFiles(rc)) {
        // An immutable open ignores the log, and so the commits still in it.
        std::error_code error;
        const fs::path log = file.string() + "-wal";
        if (fs::exists(log, error) && fs::file_size(log, error) > 0 && !error)
            return connectToPrivateCopy(file, busyTimeout, layout, privateCopy);
        auto readOnly = connect(immutableUri(file), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, busyTimeout);
        if (readOnly && readLayout(readOnly.value().get(), layout) == SQLITE_OK)
            return std::move(readOnly).value();
    }
    return StoreFailure{sqlite3_errstr(rc)};
}

StoreResult<CoreLifeStore::Connection> CoreLifeStore::connectToPrivateCopy(const fs::path& file,
                                                                           std::chrono::milliseconds busyTimeout,
                                                                           Layout& layout, fs::path& privateCopy)
{
    std::error_code error;
    std::string folder = (fs::temp_directory_path(error) / "cellarium-archive-XXXXXX").string();
    if (error || !::mkdtemp(folder.data()))
        return StoreFailure{"its write-ahead log cannot be read here, and no private copy can be made"};
    privateCopy = folder;
    const fs::path copy = privateCopy / file.filename();
    fs::copy_file(file, copy, error);
    if (!error)
        fs::copy_file(file.string() + "-wal", copy.string() + "-wal", error);
    if (error)
        return StoreFailure{"its write-ahead log cannot be read here, and copying it failed: " + error.message()};
    auto connected = connect(copy.string(), SQLITE_OPEN_READONLY, busyTimeout);
    if (!connected)
        return connected.failure();
    if (const int rc = readLayout(connected.value().get(), layout); rc != SQLITE_OK)
        return StoreFailure{sqlite3_errstr(rc)};
    return std::move(connected).value();
}

StoreResult<std::unique_ptr<CoreLifeStore>> CoreLifeStore::open(const fs::path& file, std::chrono::milliseconds busyTimeout,
                                                                StoreAccess access)
{
    const std::string name = file.string();
    std::error_code error;
    if (access == StoreAccess::ReadWrite && !fs::exists(file, error)) {
        if (auto failure = createFolder(file.parent_path()))
            return *failure;
    }

    Layout layout;
    fs::path privateCopy;
    StoreResult<Connection> connected = connectReadable(file, busyTimeout, access, layout, privateCopy);
    if (!connected) {
        CoreLifeStore::RemovedFolder removed{privateCopy};
        return StoreFailure{"cannot open " + name + ": " + connected.failure().description};
    }
    std::unique_ptr<CoreLifeStore> store(new CoreLifeStore(file, std::move(connected).value(), privateCopy));

    // Only our own files are written to; anything else is refused here, untouched.
    if (layout.version > kSchemaVersion && layout.namesArchiveTable)
        return StoreFailure{name + " was written by a newer version of Cellarium (archive format " +
                            std::to_string(layout.version) + ")"};
    if (!layout.isNew() && (!isReadableVersion(layout.version) || !layout.hasArchiveTable))
        return StoreFailure{name + " is not a Cellarium archive"};

    if (!store->readOnly_) {
        if (auto failure = store->checkIntegrity())
            return *failure;
        if (auto failure = store->setDurability())
            return *failure;
        if (layout.version < kSchemaVersion && !layout.isNew()) {
            if (auto failure = store->migrate(layout))
                return *failure;
        }
    }
    if (layout.isNew()) {
        if (store->readOnly_ && access == StoreAccess::ReadOnly) {
            store->withoutSchema_ = true;
            store->dataVersion_ = SqliteStatement(store->db_.get(), "PRAGMA data_version");
            store->lastDataVersion_ = store->dataVersion().value_or(0);
            return store;
        }
        if (auto failure = store->createSchema(layout))
            return *failure;
        // Another process may have set up the file first, with something else.
        if (layout.version != kSchemaVersion || !layout.hasArchiveTable)
            return StoreFailure{name + " is not a Cellarium archive"};
    }

    if (!store->readOnly_ && !store->createIndexIfMissing())
        return store->failure("cannot open " + name + ": cannot index the archive");
    if (auto failure = store->prepareStatements())
        return *failure;
    store->lastDataVersion_ = store->dataVersion().value_or(0);
    return store;
}

std::optional<StoreFailure> CoreLifeStore::checkIntegrity()
{
    const std::string damaged = file_.string() + " is damaged and was left as it is";
    SqliteStatement check(db_.get(), "PRAGMA quick_check(1)");
    if (!check.isPrepared())
        return failure(damaged);
    const int rc = check.step();
    if (rc != SQLITE_ROW) {
        const std::string why = sqlite3_errmsg(db_.get());
        // A lock held elsewhere past the busy timeout says nothing about the file.
        if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED)
            return StoreFailure{"cannot open " + file_.string() + ": " + why};
        return StoreFailure{damaged + ": " + why};
    }
    std::string result = check.bytes(0);
    if (result == "ok")
        return std::nullopt;
    for (char& c : result) {
        if (c == '\n' || c == '\r')
            c = ' ';
    }
    return StoreFailure{damaged + ": " + result};
}

namespace {

constexpr int kJournalSwitchAttempts = 25;
constexpr std::chrono::milliseconds kJournalSwitchPause{20};

}  // namespace

std::optional<StoreFailure> CoreLifeStore::setDurability()
{
    const std::string doing = "cannot open " + file_.string();
    SqliteStatement synchronous(db_.get(), "PRAGMA synchronous = FULL");
    if (!synchronous.isPrepared() || synchronous.step() == SQLITE_ERROR)
        return failure(doing + ": cannot make commits durable");
    SqliteStatement check(db_.get(), "PRAGMA synchronous");
    if (!check.isPrepared() || check.step() != SQLITE_ROW || check.integer(0) != 2)
        return StoreFailure{doing + ": the file refuses synchronous commits"};

    // The switch needs the file to itself: another process that opens a new archive
    // at the same moment holds it briefly, so a refusal is only final after a while.
    std::string mode;
    for (int attempt = 0; attempt < kJournalSwitchAttempts; ++attempt) {
        if (attempt > 0)
            std::this_thread::sleep_for(kJournalSwitchPause);
        SqliteStatement journal(db_.get(), "PRAGMA journal_mode = WAL");
        if (!journal.isPrepared())
            return failure(doing + ": cannot use a write-ahead log");
        const int rc = journal.step();
        if (rc != SQLITE_ROW) {
            const bool busy = (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED;
            if (busy && attempt + 1 < kJournalSwitchAttempts)
                continue;
            return failure(doing + ": cannot use a write-ahead log");
        }
        mode = journal.bytes(0);
        if (mode == "wal")
            return std::nullopt;
    }
    return StoreFailure{doing + ": the file refuses a write-ahead log (journal mode stays " + mode + ")"};
}

CoreLifeStore::CoreLifeStore(fs::path file, Connection db, fs::path privateCopy)
    : file_(std::move(file)), privateCopy_{std::move(privateCopy)}, db_(std::move(db)),
      readOnly_(sqlite3_db_readonly(db_.get(), "main") == 1)
{
}

CoreLifeStore::RemovedFolder::~RemovedFolder()
{
    std::error_code error;
    if (!path.empty())
        fs::remove_all(path, error);
}

CoreLifeStore::~CoreLifeStore() = default;

StoreFailure CoreLifeStore::failure(const std::string& doing) const
{
    return StoreFailure{doing + ": " + sqlite3_errmsg(db_.get())};
}

bool CoreLifeStore::execute(const char* sql)
{
    return sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

}  // namespace cellarium
