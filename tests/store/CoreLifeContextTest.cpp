#include "store/CoreLifeManager.h"
#include "StoreTestSupport.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <optional>

using namespace cellarium;
using namespace cellarium::test;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

class CoreLifeContextTest : public testing::Test {
protected:
    std::shared_ptr<CoreLife> insert(CoreLifeContainer& container, std::optional<std::int64_t> ms,
                                     std::optional<std::string> bytes)
    {
        auto record = container.viewContext().insertNewObject();
        if (ms)
            record->setAddedDate(dateAt(*ms));
        record->setLifeData(std::move(bytes));
        return record;
    }

    std::vector<std::shared_ptr<CoreLife>> listing(CoreLifeContainer& container)
    {
        auto fetched = container.viewContext().fetchNewestFirst();
        EXPECT_TRUE(fetched.ok()) << fetched.failure().description;
        return fetched ? fetched.value() : std::vector<std::shared_ptr<CoreLife>>{};
    }

    std::vector<std::string> listedData(CoreLifeContainer& container)
    {
        std::vector<std::string> data;
        for (const auto& record : listing(container))
            data.push_back(record->lifeData().value_or("(absent)"));
        return data;
    }

    // What saveContext reports, as its result and on standard output; `completions`
    // holds the one answer it gives.
    struct Report {
        bool returned;
        std::vector<bool> completions;
        std::string printed;
    };
    Report save(CoreLifeContainer& container)
    {
        Report report;
        CaptureStdout();
        report.returned = CoreLifeManager::saveContext(container);
        report.completions.push_back(report.returned);
        report.printed = GetCapturedStdout();
        return report;
    }

    TemporaryFolder folder;
};

TEST_F(CoreLifeContextTest, SaveWithNoChangesReportsFalseAndWritesNothing)
{
    CoreLifeContainer container(folder.storeFile());
    ASSERT_TRUE(container.isAvailable()) << container.loadFailure()->description;
    const auto wal = folder.storeFile().string() + "-wal";
    const FileState fileBefore = fileState(folder.storeFile()), walBefore = fileState(wal);
    const Report report = save(container);
    EXPECT_FALSE(report.returned);
    EXPECT_EQ(report.completions, std::vector<bool>{false});
    EXPECT_EQ(report.printed, "");
    EXPECT_EQ(fileState(folder.storeFile()), fileBefore);
    EXPECT_EQ(fileState(wal), walBefore);
}

TEST_F(CoreLifeContextTest, SavedRecordsAreListedNewestFirstWithTheirBytesUnchanged)
{
    const std::string binary("\xff\x00[]\x80", 5);
    {
        CoreLifeContainer container(folder.storeFile());
        insert(container, 1'000, R"([{"x":1,"y":2}])");
        insert(container, 3'000, binary);
        insert(container, 2'000, "[]");
        const Report report = save(container);
        EXPECT_TRUE(report.returned);
        EXPECT_EQ(report.completions, std::vector<bool>{true});
        EXPECT_EQ(report.printed, "");
        EXPECT_FALSE(container.viewContext().hasChanges());
    }
    CoreLifeContainer reopened(folder.storeFile());
    const auto records = listing(reopened);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0]->lifeData(), binary);
    EXPECT_EQ(records[0]->addedDate(), dateAt(3'000));
    EXPECT_EQ(records[1]->lifeData(), "[]");
    EXPECT_EQ(records[2]->addedDate(), dateAt(1'000));
}

TEST_F(CoreLifeContextTest, RecordsWithoutDateComeLastAndEqualDatesListTheLaterSaveFirst)
{
    CoreLifeContainer container(folder.storeFile());
    insert(container, std::nullopt, "undated");
    insert(container, 5, "first at 5");
    ASSERT_TRUE(save(container).returned);
    insert(container, 5, "second at 5");
    insert(container, 4, std::nullopt);
    ASSERT_TRUE(save(container).returned);
    EXPECT_EQ(listedData(container), (std::vector<std::string>{"second at 5", "first at 5", "(absent)", "undated"}));
    EXPECT_FALSE(listing(container)[3]->addedDate().has_value());
}

TEST_F(CoreLifeContextTest, DeletingAndSavingRemovesTheRecord)
{
    CoreLifeContainer container(folder.storeFile());
    insert(container, 1, "older");
    insert(container, 2, "newer");
    ASSERT_TRUE(save(container).returned);
    container.viewContext().deleteObject(listing(container)[0]);
    EXPECT_TRUE(container.viewContext().hasChanges());
    EXPECT_EQ(listedData(container).size(), 2u) << "a deletion is pending until saved";
    EXPECT_TRUE(save(container).returned);
    EXPECT_EQ(listedData(container), std::vector<std::string>{"older"});

    // A record deleted before it was ever saved leaves nothing to save.
    container.viewContext().deleteObject(insert(container, 3, "[]"));
    EXPECT_FALSE(container.viewContext().hasChanges());
    EXPECT_FALSE(save(container).returned);
}

TEST_F(CoreLifeContextTest, ChangingASavedRecordIsWrittenByTheNextSave)
{
    CoreLifeContainer container(folder.storeFile());
    insert(container, 1, "before");
    ASSERT_TRUE(save(container).returned);
    auto record = listing(container)[0];
    record->setLifeData("after");
    record->setAddedDate(std::nullopt);
    EXPECT_TRUE(container.viewContext().hasChanges());
    ASSERT_TRUE(save(container).returned);
    EXPECT_EQ(sql(folder.storeFile(), "SELECT lifeData || ' ' || ifnull(addedDate, 'NULL') FROM CoreLife"),
              std::vector<std::string>{"after NULL"});
}

TEST_F(CoreLifeContextTest, ChangingOnlyTheDateOfAFetchedRecordKeepsItsPattern)
{
    // A fetched record reads its pattern lazily; an update writes both attributes.
    CoreLifeContainer container(folder.storeFile());
    insert(container, 1, "pattern");
    ASSERT_TRUE(save(container).returned);
    listing(container)[0]->setAddedDate(dateAt(2));
    ASSERT_TRUE(save(container).returned);
    EXPECT_EQ(sql(folder.storeFile(), "SELECT lifeData || ' ' || addedDate FROM CoreLife"),
              std::vector<std::string>{"pattern 2"});
}

TEST_F(CoreLifeContextTest, PatternOfARowDeletedElsewhereReadsAsAbsent)
{
    CoreLifeContainer container(folder.storeFile());
    insert(container, 1, "read before");
    insert(container, 2, "never read");
    ASSERT_TRUE(save(container).returned);
    const auto records = listing(container);
    EXPECT_EQ(records[1]->lifeData(), "read before");
    sql(folder.storeFile(), "DELETE FROM CoreLife");
    EXPECT_FALSE(records[0]->lifeData().has_value());
    EXPECT_EQ(records[1]->lifeData(), "read before");
}

TEST_F(CoreLifeContextTest, PatternThatCannotBeReadIsAFailureToTheCheckedRead)
{
    const std::string large(8 << 20, 'x');  // spills over pages the listing never reads
    {
        CoreLifeContainer writer(folder.storeFile());
        insert(writer, 1, large);
        ASSERT_TRUE(save(writer).returned);
    }
    CoreLifeContainer container(folder.storeFile());
    const auto records = listing(container);
    ASSERT_EQ(records.size(), 1u);
    std::filesystem::resize_file(folder.storeFile(), 4 * 4096);

    const std::optional<StoreFailure> failure = records[0]->loadLifeData();
    ASSERT_TRUE(failure.has_value());
    EXPECT_NE(failure->description.find("cannot read the archive"), std::string::npos) << failure->description;
    EXPECT_FALSE(records[0]->lifeData().has_value());  // the unchecked read still reads as absent
}

TEST_F(CoreLifeContextTest, ChangingARecordDeletedInTheSameSaveDoesNotRestoreIt)
{
    CoreLifeContainer container(folder.storeFile());
    insert(container, 1, "doomed");
    ASSERT_TRUE(save(container).returned);
    auto record = listing(container)[0];
    container.viewContext().deleteObject(record);
    listing(container)[0]->setLifeData("changed through another object of the same row");
    ASSERT_TRUE(save(container).returned);
    EXPECT_TRUE(listing(container).empty());
}

// A deletion and an insert of a failed save were kept pending and written by the next save.
TEST_F(CoreLifeContextTest, RegressionFailedSavePrintsOneLineAndNothingOfItGoesWithTheNextSave)
{
    CoreLifeContainer container(folder.storeFile(), std::chrono::milliseconds(50));
    insert(container, 1, "kept");
    ASSERT_TRUE(save(container).returned);

    // Another connection holds the write lock for longer than the busy timeout.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(folder.storeFile().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    container.viewContext().deleteObject(listing(container)[0]);
    insert(container, 2, "first try");
    const Report failed = save(container);
    EXPECT_FALSE(failed.returned);
    EXPECT_EQ(failed.completions, std::vector<bool>{false});
    EXPECT_EQ(failed.printed, "Cannot save change ,error: cannot write the archive: database is locked\n");
    EXPECT_FALSE(container.viewContext().hasChanges()) << "a failed save is rolled back";
    EXPECT_EQ(listedData(container), std::vector<std::string>{"kept"}) << "nothing of a failed save is written";

    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    insert(container, 3, "second try");
    const Report succeeded = save(container);
    EXPECT_TRUE(succeeded.returned);
    EXPECT_EQ(succeeded.completions, std::vector<bool>{true});
    EXPECT_EQ(listedData(container), (std::vector<std::string>{"second try", "kept"}));
}

// Archiving one pattern answers once: the new record's id, or the failure with nothing left pending.
TEST_F(CoreLifeContextTest, SaveLifeAnswersWithTheNewRecordsIdOrItsFailure)
{
    CoreLifeContainer container(folder.storeFile(), std::chrono::milliseconds(50));
    const StoreResult<std::int64_t> first = CoreLifeManager::saveLife("[]", dateAt(5), container);
    ASSERT_TRUE(first.ok()) << first.failure().description;
    ASSERT_EQ(listing(container).size(), 1u);
    EXPECT_EQ(listing(container)[0]->objectID(), first.value());
    EXPECT_EQ(listing(container)[0]->addedDate(), dateAt(5));

    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(folder.storeFile().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    CaptureStdout();
    const StoreResult<std::int64_t> locked = CoreLifeManager::saveLife("locked out", dateAt(6), container);
    const std::string printed = GetCapturedStdout();
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    ASSERT_FALSE(locked.ok());
    EXPECT_EQ(printed, "Cannot save change ,error: " + locked.failure().description + "\n");
    EXPECT_FALSE(container.viewContext().hasChanges()) << "the record not saved is dropped";

    const StoreResult<std::int64_t> second = CoreLifeManager::saveLife("again", dateAt(7), container);
    ASSERT_TRUE(second.ok());
    EXPECT_GT(second.value(), first.value());
    EXPECT_EQ(listedData(container), (std::vector<std::string>{"again", "[]"}));
}

TEST_F(CoreLifeContextTest, StoreFileKeepsTheDocumentedFormat)
{
    {
        CoreLifeContainer container(folder.storeFile());
        insert(container, 1'700'000'000'123, R"([{"x":1,"y":2}])");
        ASSERT_TRUE(save(container).returned);
    }
    const auto file = folder.storeFile();
    EXPECT_EQ(sql(file, "PRAGMA user_version"), std::vector<std::string>{"2"});
    EXPECT_EQ(sql(file, "SELECT count(*) FROM sqlite_schema WHERE sql LIKE '%AUTOINCREMENT%'"), std::vector<std::string>{"1"});
    EXPECT_EQ(sql(file, "PRAGMA journal_mode"), std::vector<std::string>{"wal"});
    EXPECT_EQ(sql(file, "SELECT name FROM pragma_table_info('CoreLife')"),
              (std::vector<std::string>{"id", "addedDate", "lifeData"}));
    EXPECT_EQ(sql(file, "SELECT typeof(addedDate) || ' ' || addedDate || ' ' || typeof(lifeData) FROM CoreLife"),
              std::vector<std::string>{"integer 1700000000123 blob"});

    // A row written by another program in this format reads back as a record.
    sql(file, "INSERT INTO CoreLife (addedDate, lifeData) VALUES (1800000000000, x'5B5D'), (NULL, NULL)");
    CoreLifeContainer container(file);
    const auto records = listing(container);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0]->addedDate(), dateAt(1'800'000'000'000));
    EXPECT_EQ(records[0]->lifeData(), "[]");
    EXPECT_FALSE(records[2]->lifeData().has_value());
}

TEST_F(CoreLifeContextTest, UnavailableContainerFailsEverySaveWithItsReason)
{
    writeFile(folder.storeFile(), "not a database, but a letter to the user's grandmother");
    CoreLifeContainer container(folder.storeFile());
    ASSERT_FALSE(container.isAvailable());
    EXPECT_EQ(container.loadFailure()->description,
              "cannot open " + folder.storeFile().string() + ": file is not a database");
    insert(container, 1, "[]");
    const Report report = save(container);
    EXPECT_FALSE(report.returned);
    EXPECT_EQ(report.completions, std::vector<bool>{false});
    EXPECT_EQ(report.printed, "Cannot save change ,error: the archive is unavailable: cannot open " +
                                  folder.storeFile().string() + ": file is not a database\n");
    EXPECT_FALSE(container.viewContext().hasChanges()) << "a failed save is rolled back";
    EXPECT_FALSE(container.viewContext().fetchNewestFirst().ok());
}

}  // namespace
