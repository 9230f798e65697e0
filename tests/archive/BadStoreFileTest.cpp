#include "CoreLifeManager.h"
#include "StoreTestSupport.h"

#include <gtest/gtest.h>

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
    void expectRefusedUntouched(const std::string& reason)
    {
        const FileState before = fileState(file);
        {
            CoreLifeContainer container(file);
            ASSERT_FALSE(container.isAvailable());
            EXPECT_EQ(container.loadFailure()->description, reason);
            container.viewContext().insertNewObject()->setLifeData("[]");
            testing::internal::CaptureStdout();
            EXPECT_FALSE(CoreLifeManager::saveContext({}, container));
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
        if (!container.viewContext().hasChanges())
            return "the failed changes are no longer pending";
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
    sql(file, "PRAGMA journal_mode = DELETE; PRAGMA user_version = 2");
    expectRefusedUntouched(file.string() + " was written by a newer version of Cellarium (archive format 2)");
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
