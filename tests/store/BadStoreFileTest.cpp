#include "store/CoreLifeManager.h"
#include "StoreTestSupport.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <sys/stat.h>

using namespace cellarium;
using namespace cellarium::test;
namespace fs = std::filesystem;

namespace {

class BadStoreFileTest : public testing::Test {
protected:
    // An archive of `count` records of about 2 KB each, closed again.
    void makeArchive(int count)
    {
        CoreLifeContainer container(file);
        for (int i = 0; i < count; ++i) {
            auto record = container.viewContext().insertNewObject();
            record->setAddedDate(dateAt(i));
            record->setLifeData("[" + std::string(2000, ' ') + "]");
        }
        ASSERT_FALSE(container.viewContext().save().has_value());
    }

    // Loads the file, expects it unavailable for the given reason, and the file untouched.
    void expectRefusedUntouched(const std::string& reason) { expectRefusedUntouchedBecause(reason, true); }

    // As above; unless `exact`, the reason is only the failure's beginning.
    void expectRefusedUntouchedBecause(const std::string& reason, bool exact,
                                       std::chrono::milliseconds busyTimeout = CoreLifeContainer::kDefaultBusyTimeout)
    {
        const FileState before = fileState(file);
        {
            CoreLifeContainer container(file, busyTimeout);
            ASSERT_FALSE(container.isAvailable());
            const std::string& description = container.loadFailure()->description;
            if (exact)
                EXPECT_EQ(description, reason);
            else
                EXPECT_EQ(description.substr(0, reason.size()), reason);
            EXPECT_EQ(description.find('\n'), std::string::npos) << description;
            container.viewContext().insertNewObject()->setLifeData("[]");
            testing::internal::CaptureStdout();
            EXPECT_FALSE(CoreLifeManager::saveContext(container));
            EXPECT_NE(testing::internal::GetCapturedStdout().find("Cannot save change ,error: "), std::string::npos);
        }
        EXPECT_EQ(fileState(file), before);
        EXPECT_FALSE(fs::exists(file.string() + "-wal"));
        EXPECT_FALSE(fs::exists(file.string() + "-journal"));
    }

    // In an unprivileged child: the archive lists its records and refuses a save.
    static std::string listsButCannotSave(const fs::path& file, std::size_t expectedRecords)
    {
        CoreLifeContainer container(file, std::chrono::milliseconds(100));
        if (!container.isAvailable())
            return "unavailable: " + container.loadFailure()->description;
        if (!container.isReadOnly())
            return "not read-only";
        auto listed = container.viewContext().fetchNewestFirst();
        if (!listed)
            return "listing failed: " + listed.failure().description;
        if (listed.value().size() != expectedRecords)
            return "listed " + std::to_string(listed.value().size()) + " records";
        container.viewContext().deleteObject(listed.value()[0]);
        container.viewContext().insertNewObject()->setLifeData("[]");
        const std::optional<StoreFailure> failure = container.viewContext().save();
        if (!failure)
            return "a save succeeded";
        if (failure->description.find("readonly") == std::string::npos)
            return "unexpected save failure: " + failure->description;
        if (container.viewContext().hasChanges())
            return "the failed changes are still pending";
        auto again = container.viewContext().fetchNewestFirst();
        if (!again || again.value().size() != expectedRecords)
            return "the records changed after a failed save";
        return "";
    }

    TemporaryFolder folder;
    fs::path file = folder.storeFile();
};

TEST_F(BadStoreFileTest, FileThatIsNotADatabaseIsRefusedAndLeftAlone)
{
    writeFile(file, std::string(5000, 'x'));
    expectRefusedUntouched("cannot open " + file.string() + ": file is not a database");
}

TEST_F(BadStoreFileTest, TruncatedDatabaseIsRefusedAndLeftAlone)
{
    makeArchive(40);
    const std::string whole = readFile(file);
    ASSERT_GT(whole.size(), 40'000u);
    writeFile(file, whole.substr(0, whole.size() / 2));
    expectRefusedUntouched("cannot open " + file.string() + ": database disk image is malformed");
}

TEST_F(BadStoreFileTest, DatabaseOfAnotherSchemaIsRefusedAndLeftAlone)
{
    sql(file, "CREATE TABLE Contacts (name TEXT); INSERT INTO Contacts VALUES ('Ada')");
    expectRefusedUntouched(file.string() + " is not a Cellarium archive");
}

TEST_F(BadStoreFileTest, CoreLifeTableWithOtherColumnsIsRefusedAndLeftAlone)
{
    sql(file, "CREATE TABLE CoreLife (title TEXT); PRAGMA user_version = 1");
    expectRefusedUntouched(file.string() + " is not a Cellarium archive");
}

TEST_F(BadStoreFileTest, ArchiveOfANewerFormatIsRefusedAndLeftAlone)
{
    makeArchive(1);
    sql(file, "PRAGMA journal_mode = DELETE; PRAGMA user_version = 3");
    expectRefusedUntouched(file.string() + " was written by a newer version of Cellarium (archive format 3)");
}

TEST_F(BadStoreFileTest, DamagedArchiveIsRefusedBeforeAnyWriteAndLeftAlone)
{
    makeArchive(40);
    damageMiddlePage(file);
    const std::string reason = file.string() + " is damaged and was left as it is: ";
    expectRefusedUntouchedBecause(reason, false);
}

TEST_F(BadStoreFileTest, ArchiveThatRefusesTheWriteAheadLogDoesNotLoad)
{
    makeArchive(2);
    sql(file, "PRAGMA journal_mode = DELETE");
    // Another program reading the file in rollback mode keeps it from switching.
    sqlite3* reader = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &reader), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(reader, "BEGIN; SELECT count(*) FROM CoreLife", nullptr, nullptr, nullptr), SQLITE_OK);
    const std::string reason = "cannot open " + file.string() + ": cannot use a write-ahead log: database is locked";
    expectRefusedUntouchedBecause(reason, true, std::chrono::milliseconds(50));
    sqlite3_close(reader);
    EXPECT_EQ(sql(file, "PRAGMA journal_mode"), std::vector<std::string>{"delete"});
}

TEST_F(BadStoreFileTest, ArchiveWhoseIndexCannotBeMadeDoesNotLoad)
{
    makeArchive(2);
    sql(file, "DROP INDEX CoreLifeByAddedDate");
    sqlite3* writer = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &writer), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(writer, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    {
        CoreLifeContainer container(file, std::chrono::milliseconds(50));
        ASSERT_FALSE(container.isAvailable());
        EXPECT_EQ(container.loadFailure()->description,
                  "cannot open " + file.string() + ": cannot index the archive: database is locked");
    }
    sqlite3_close(writer);
    EXPECT_EQ(sql(file, "SELECT count(*) FROM sqlite_schema WHERE type = 'index'"), std::vector<std::string>{"0"});
    EXPECT_EQ(sql(file, "SELECT count(*) FROM CoreLife"), std::vector<std::string>{"2"});
}

TEST_F(BadStoreFileTest, EmptyFileOpenedForReadingListsNothingAndStaysEmpty)
{
    writeFile(file, "");
    {
        CoreLifeContainer container(file, CoreLifeContainer::kDefaultBusyTimeout, StoreAccess::ReadOnly);
        ASSERT_TRUE(container.isAvailable()) << container.loadFailure()->description;
        EXPECT_TRUE(container.isReadOnly());
        auto listed = container.viewContext().fetchNewestFirst();
        ASSERT_TRUE(listed);
        EXPECT_TRUE(listed.value().empty());
        container.viewContext().insertNewObject()->setLifeData("[]");
        EXPECT_TRUE(container.viewContext().save().has_value());
    }
    EXPECT_EQ(fs::file_size(file), 0u);
}

TEST_F(BadStoreFileTest, ReadOnlyFolderWithALogButNoSharedMemoryFileListsEveryCommittedRecord)
{
    makeArchive(3);
    saveIntoLogOnly(file, 2);
    handToUnprivilegedChild(file);
    handToUnprivilegedChild(file.string() + "-wal");
    fs::permissions(file.parent_path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_exec |
                                            fs::perms::others_read | fs::perms::others_exec);
    const FileState before = fileState(file);
    const FileState logBefore = fileState(file.string() + "-wal");
    EXPECT_EQ(inUnprivilegedChild([&] { return listsButCannotSave(file, 5); }), "");
    EXPECT_EQ(inUnprivilegedChild([&]() -> std::string {
                  CoreLifeContainer container(file, CoreLifeContainer::kDefaultBusyTimeout, StoreAccess::ReadOnly);
                  auto listed = container.viewContext().fetchNewestFirst();
                  if (!listed)
                      return listed.failure().description;
                  return std::to_string(listed.value().size()) + " records";
              }),
              "5 records");
    EXPECT_EQ(fileState(file), before);
    EXPECT_EQ(fileState(file.string() + "-wal"), logBefore);
}

TEST_F(BadStoreFileTest, EmptyFileLeftByACrashDuringCreationBecomesAnArchive)
{
    writeFile(file, "");
    CoreLifeContainer container(file);
    ASSERT_TRUE(container.isAvailable()) << container.loadFailure()->description;
    container.viewContext().insertNewObject()->setLifeData("[]");
    EXPECT_FALSE(container.viewContext().save().has_value());
}

TEST_F(BadStoreFileTest, ReadOnlyFileListsButRefusesSaves)
{
    makeArchive(3);
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(file.parent_path(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    handToUnprivilegedChild(file.parent_path());
    const FileState before = fileState(file);
    EXPECT_EQ(inUnprivilegedChild([&] { return listsButCannotSave(file, 3); }), "");
    EXPECT_EQ(fileState(file), before);
}

TEST_F(BadStoreFileTest, ReadOnlyFolderWithoutSideFilesListsButRefusesSaves)
{
    makeArchive(3);
    ASSERT_FALSE(fs::exists(file.string() + "-shm")) << "a closed archive leaves no side files";
    handToUnprivilegedChild(file);
    fs::permissions(file.parent_path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_exec |
                                            fs::perms::others_read | fs::perms::others_exec);
    const FileState before = fileState(file);
    EXPECT_EQ(inUnprivilegedChild([&] { return listsButCannotSave(file, 3); }), "");
    EXPECT_EQ(fileState(file), before);
    EXPECT_FALSE(fs::exists(file.string() + "-wal"));
}

TEST_F(BadStoreFileTest, ArchiveThatCannotBeCreatedIsUnavailable)
{
    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_exec);
    EXPECT_EQ(inUnprivilegedChild([&]() -> std::string {
                  CoreLifeContainer container(file);
                  if (container.isAvailable())
                      return "available";
                  return container.loadFailure()->description;
              }),
              "cannot create the folder " + file.parent_path().string() + ": Permission denied");
    EXPECT_FALSE(fs::exists(file.parent_path()));
}

}  // namespace
