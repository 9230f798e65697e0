#include "store/CoreLifeContainer.h"
#include "store/CoreLifeStore.h"
#include "StoreTestSupport.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace cellarium;
using namespace cellarium::test;
namespace fs = std::filesystem;

namespace {

// Equal dates, an absent date, absent and binary data, a gap where a record was deleted.
constexpr const char* kVersionOneRows =
    "(1, 1000, CAST('[{\"x\":1,\"y\":2}]' AS BLOB)), (2, 3000, x'FF005B5D80'), (4, 3000, CAST('[]' AS BLOB)),"
    "(5, NULL, CAST('[{\"x\":0,\"y\":0}]' AS BLOB)), (7, 2000, NULL), (8, 2500.0, CAST('not a pattern' AS BLOB))";

// Every row as the file holds it, by id: types and bytes included.
std::vector<std::string> rowsOf(const fs::path& file)
{
    return sql(file, "SELECT id || ' ' || typeof(addedDate) || ' ' || coalesce(addedDate, '-') || ' ' || "
                     "typeof(lifeData) || ' ' || coalesce(hex(lifeData), '-') FROM CoreLife ORDER BY id");
}

std::vector<std::string> listedData(CoreLifeContainer& container)
{
    std::vector<std::string> data;
    auto fetched = container.viewContext().fetchNewestFirst();
    EXPECT_TRUE(fetched.ok()) << fetched.failure().description;
    if (fetched) {
        for (const auto& record : fetched.value())
            data.push_back(record->lifeData().value_or("(absent)"));
    }
    return data;
}

std::shared_ptr<CoreLife> add(CoreLifeContainer& container, std::int64_t ms, const std::string& bytes)
{
    auto record = container.viewContext().insertNewObject();
    record->setAddedDate(dateAt(ms));
    record->setLifeData(bytes);
    EXPECT_FALSE(container.viewContext().save().has_value());
    return record;
}

std::string idOf(const fs::path& file, const std::string& bytes)
{
    const auto ids = sql(file, "SELECT id FROM CoreLife WHERE lifeData = CAST('" + bytes + "' AS BLOB)");
    return ids.size() == 1 ? ids[0] : "(" + std::to_string(ids.size()) + " rows)";
}

class RecordIdentityTest : public testing::Test {
protected:
    TemporaryFolder folder;
    fs::path file = folder.storeFile();
};

TEST_F(RecordIdentityTest, VersionOneArchiveIsMigratedInPlaceKeepingRecordsDatesBytesAndOrder)
{
    makeVersionOneArchive(file, kVersionOneRows);
    const std::vector<std::string> rowsBefore = rowsOf(file);
    std::vector<std::string> listedBefore;
    {
        CoreLifeContainer reader(file, CoreLifeContainer::kDefaultBusyTimeout, StoreAccess::ReadOnly);
        ASSERT_TRUE(reader.isAvailable()) << reader.loadFailure()->description;
        listedBefore = listedData(reader);
    }
    ASSERT_EQ(listedBefore.size(), 6u);

    {
        CoreLifeContainer container(file);
        ASSERT_TRUE(container.isAvailable()) << container.loadFailure()->description;
        EXPECT_EQ(listedData(container), listedBefore);
    }
    EXPECT_EQ(sql(file, "PRAGMA user_version"), std::vector<std::string>{"2"});
    EXPECT_EQ(rowsOf(file), rowsBefore);
    EXPECT_EQ(sql(file, "SELECT name FROM sqlite_schema WHERE tbl_name = 'CoreLife' ORDER BY name"),
              (std::vector<std::string>{"CoreLife", "CoreLifeByAddedDate"}));
    EXPECT_EQ(sql(file, "SELECT seq FROM sqlite_sequence WHERE name = 'CoreLife'"), std::vector<std::string>{"8"});
    EXPECT_EQ(sql(file, "PRAGMA integrity_check"), std::vector<std::string>{"ok"});

    // Opening it again finds nothing left to migrate.
    CoreLifeContainer again(file);
    ASSERT_TRUE(again.isAvailable()) << again.loadFailure()->description;
    EXPECT_EQ(listedData(again), listedBefore);
    EXPECT_EQ(rowsOf(file), rowsBefore);
}

TEST_F(RecordIdentityTest, VersionOneArchiveOpenedForReadingIsReadAndLeftAsItIs)
{
    makeVersionOneArchive(file, kVersionOneRows);
    const FileState before = fileState(file);
    {
        CoreLifeContainer reader(file, CoreLifeContainer::kDefaultBusyTimeout, StoreAccess::ReadOnly);
        ASSERT_TRUE(reader.isAvailable()) << reader.loadFailure()->description;
        EXPECT_EQ(listedData(reader).size(), 6u);
    }
    EXPECT_EQ(fileState(file), before);
    EXPECT_EQ(sql(file, "PRAGMA user_version"), std::vector<std::string>{"1"});
}

TEST_F(RecordIdentityTest, VersionOneArchiveThatCannotBeMigratedIsRefusedAndLeftAlone)
{
    struct Case {
        const char* what;
        const char* extra;
        const char* reason;
    };
    const std::vector<Case> cases = {
        // Another program's column would be lost by the copy: refused before any write.
        {"a column of another program", "ALTER TABLE CoreLife ADD COLUMN title TEXT",
         ": its CoreLife table has columns of another program"},
        // Another program's view stops the renaming half-way: all of it is rolled back.
        {"a view of another program", "CREATE VIEW Newest AS SELECT * FROM CoreLife ORDER BY addedDate DESC", ": "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TemporaryFolder own;
        const fs::path path = own.storeFile();
        makeVersionOneArchive(path, kVersionOneRows);
        sql(path, c.extra);
        const FileState before = fileState(path);
        {
            CoreLifeContainer container(path);
            ASSERT_FALSE(container.isAvailable());
            const std::string expected = path.string() + " could not be brought to archive format 2 and was left as it is" + c.reason;
            const std::string& description = container.loadFailure()->description;
            EXPECT_EQ(description.substr(0, expected.size()), expected) << description;
            EXPECT_EQ(description.find('\n'), std::string::npos) << description;
        }
        EXPECT_EQ(fileState(path), before);
        EXPECT_FALSE(fs::exists(path.string() + "-wal"));
        EXPECT_EQ(sql(path, "PRAGMA user_version"), std::vector<std::string>{"1"});
    }
}

TEST_F(RecordIdentityTest, MigrationThatCannotTakeTheWriteLockLeavesTheFileForTheNextOpen)
{
    makeVersionOneArchive(file, kVersionOneRows);
    const std::vector<std::string> rowsBefore = rowsOf(file);
    sqlite3* writer = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &writer), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(writer, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    const FileState before = fileState(file);
    {
        CoreLifeContainer container(file, std::chrono::milliseconds(50));
        ASSERT_FALSE(container.isAvailable());
        EXPECT_EQ(container.loadFailure()->description, "cannot open " + file.string() + ": database is locked");
    }
    EXPECT_EQ(fileState(file), before);
    sqlite3_exec(writer, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(writer);
    EXPECT_EQ(sql(file, "PRAGMA user_version"), std::vector<std::string>{"1"});

    CoreLifeContainer container(file);
    ASSERT_TRUE(container.isAvailable()) << container.loadFailure()->description;
    EXPECT_EQ(sql(file, "PRAGMA user_version"), std::vector<std::string>{"2"});
    EXPECT_EQ(rowsOf(file), rowsBefore);
}

TEST_F(RecordIdentityTest, RecordAddedAfterTheNewestWasDeletedGetsANewId)
{
    CoreLifeContainer container(file);
    add(container, 1, "first");
    auto newest = add(container, 2, "newest");
    const std::string deletedId = idOf(file, "newest");
    container.viewContext().deleteObject(newest);
    ASSERT_FALSE(container.viewContext().save().has_value());
    add(container, 3, "added after");
    EXPECT_GT(std::stoll(idOf(file, "added after")), std::stoll(deletedId));
}

TEST_F(RecordIdentityTest, MigratedArchiveGivesNoIdOfAMigratedRecordAgain)
{
    makeVersionOneArchive(file, kVersionOneRows);
    CoreLifeContainer container(file);
    ASSERT_TRUE(container.isAvailable()) << container.loadFailure()->description;
    auto listed = container.viewContext().fetchNewestFirst().value();
    for (const auto& record : listed)
        container.viewContext().deleteObject(record);
    ASSERT_FALSE(container.viewContext().save().has_value());
    add(container, 4, "after migration");
    EXPECT_EQ(idOf(file, "after migration"), "9");
}

TEST_F(RecordIdentityTest, StaleRecordReadsNothingOfTheRecordAddedAfterItsDeletion)
{
    CoreLifeContainer container(file);
    add(container, 1, "first");
    add(container, 2, "second");
    const auto stale = container.viewContext().fetchNewestFirst().value();  // data not read yet
    CoreLifeContainer other(file);
    other.viewContext().deleteObject(other.viewContext().fetchNewestFirst().value()[0]);
    ASSERT_FALSE(other.viewContext().save().has_value());
    add(other, 3, "third");
    EXPECT_FALSE(stale[0]->lifeData().has_value()) << "read " << stale[0]->lifeData().value_or("");
    EXPECT_EQ(stale[1]->lifeData(), "first");
}

TEST_F(RecordIdentityTest, DeleteFromAStaleListingLeavesTheRecordNowAtItsRowAlone)
{
    CoreLifeContainer container(file);
    add(container, 1, "first");
    add(container, 2, "second");
    const auto stale = container.viewContext().fetchNewestFirst().value();

    // Meanwhile another process deletes the newest record and adds one, now at row 0.
    CoreLifeContainer other(file);
    other.viewContext().deleteObject(other.viewContext().fetchNewestFirst().value()[0]);
    ASSERT_FALSE(other.viewContext().save().has_value());
    add(other, 3, "third");

    container.viewContext().deleteObject(stale[0]);
    ASSERT_FALSE(container.viewContext().save().has_value());
    EXPECT_EQ(listedData(container), (std::vector<std::string>{"third", "first"}));
}

}  // namespace
