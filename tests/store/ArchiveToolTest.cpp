#include "ArchiveTool.h"
#include "IsoDate.h"
#include "store/CoreLifeContainer.h"
#include "StoreTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace cellarium;
using namespace cellarium::test;
namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

class ArchiveToolTest : public testing::Test {
protected:
    ToolRun run(const std::vector<std::string>& args, const std::string& input = "")
    {
        std::istringstream in(input);
        std::ostringstream out, err;
        const int status = runArchiveTool(args, file, in, out, err);
        return {status, out.str(), err.str()};
    }

    // Refused with status 2, one line on standard error, nothing on standard output,
    // and the archive as it was (or still missing).
    void expectRefused(const std::vector<std::string>& args, const std::string& input = "")
    {
        const bool existed = fs::exists(file);
        const FileState before = existed ? fileState(file) : FileState{};
        const ToolRun r = run(args, input);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        ASSERT_FALSE(r.err.empty());
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
        EXPECT_EQ(r.err.rfind("cellarium-archive: ", 0), 0u) << r.err;
        if (existed)
            EXPECT_EQ(fileState(file), before) << r.err;
        else
            EXPECT_FALSE(fs::exists(file)) << r.err;
    }

    void archive(std::optional<std::int64_t> ms, std::optional<std::string> bytes)
    {
        CoreLifeContainer container(file);
        auto record = container.viewContext().insertNewObject();
        if (ms)
            record->setAddedDate(dateAt(*ms));
        record->setLifeData(std::move(bytes));
        ASSERT_FALSE(container.viewContext().save().has_value());
    }

    TemporaryFolder folder;
    fs::path file = folder.storeFile();
};

TEST_F(ArchiveToolTest, ListShowsDateAndCellCountNewestFirst)
{
    archive(1'700'000'000'123, R"([{"x":1,"y":2},{"x":3,"y":4},{"x":5}])");
    archive(1'700'000'000'124, "[]");
    archive(1'800'000'000'000, "not a pattern");
    archive(1'700'000'000'125, std::nullopt);
    archive(std::nullopt, R"([{"x":0,"y":0}])");
    const ToolRun r = run({"list"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "2027-01-15T08:00:00.000Z\tinvalid\t3\n"
              "2023-11-14T22:13:20.125Z\tinvalid\t4\n"
              "2023-11-14T22:13:20.124Z\t0\t2\n"
              "2023-11-14T22:13:20.123Z\t3\t1\n"
              "-\t1\t5\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(ArchiveToolTest, ListOfAMissingArchiveIsEmptyAndCreatesNothing)
{
    const ToolRun r = run({"list"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(fs::exists(file.parent_path()));
}

TEST_F(ArchiveToolTest, AddedPatternIsShownByteForByteAsTheNewest)
{
    const std::string pattern = "\xEF\xBB\xBF[ {\"x\": 7, \"y\": -2} ]\n";
    const fs::path input = folder.path() / "pattern.json";
    writeFile(input, pattern);
    const auto before = std::chrono::system_clock::now();
    ASSERT_EQ(run({"add", input.string()}).status, 0);
    const ToolRun added = run({"add"}, "[]");
    EXPECT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.out, "");

    EXPECT_EQ(run({"show", "0"}).out, "[]");
    const ToolRun shown = run({"show", "1"});
    EXPECT_EQ(shown.status, 0);
    EXPECT_EQ(shown.out, pattern);

    CoreLifeContainer container(file);
    const auto records = container.viewContext().fetchNewestFirst().value();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_GE(*records[1]->addedDate(), std::chrono::floor<std::chrono::milliseconds>(before));
    EXPECT_LE(*records[0]->addedDate(), std::chrono::system_clock::now());
}

TEST_F(ArchiveToolTest, DeleteRemovesTheRecordAtThatPosition)
{
    archive(1, "[]");
    archive(2, R"([{"x":1,"y":1}])");
    archive(3, R"([{"x":1,"y":1},{"x":2,"y":2}])");
    const ToolRun r = run({"delete", "1"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(run({"list"}).out, "1970-01-01T00:00:00.003Z\t2\t3\n1970-01-01T00:00:00.001Z\t0\t1\n");
}

// A save between `list` and `delete N` used to make N name another record: --id names
// the record listed, whatever was saved since.
TEST_F(ArchiveToolTest, ShowAndDeleteByIdActOnTheListedRecordAfterANewerSave)
{
    archive(1, R"([{"x":1,"y":1}])");
    archive(2, R"([{"x":2,"y":2}])");
    const std::string listed = run({"list"}).out;
    ASSERT_EQ(listed, "1970-01-01T00:00:00.002Z\t1\t2\n1970-01-01T00:00:00.001Z\t1\t1\n");
    archive(3, R"([{"x":3,"y":3}])");  // saved by the app meanwhile

    EXPECT_EQ(run({"show", "--id", "1"}).out, R"([{"x":1,"y":1}])");
    EXPECT_EQ(run({"show", "--id", "1", "--to", "cells"}).out, run({"show", "2", "--to", "cells"}).out);
    EXPECT_EQ(run({"show", "--to", "rle", "--id", "1"}).out, run({"show", "2", "--to", "rle"}).out);
    const ToolRun deleted = run({"delete", "--id", "2"});
    EXPECT_EQ(deleted.status, 0) << deleted.err;
    EXPECT_EQ(deleted.out, "");
    EXPECT_EQ(run({"list"}).out, "1970-01-01T00:00:00.003Z\t1\t3\n1970-01-01T00:00:00.001Z\t1\t1\n");

    // A deleted id, one never given, and ids that are no whole number are refused.
    for (const char* id : {"2", "99", "-1", "+1", "one", "", "9223372036854775808"}) {
        expectRefused({"delete", "--id", id});
        expectRefused({"show", "--id", id});
    }
    EXPECT_EQ(run({"delete", "--id", "2"}).err, "cellarium-archive: there is no record with id 2\n");
    expectRefused({"delete", "--id"});
    expectRefused({"delete", "--id", "1", "3"});
    expectRefused({"delete", "--number", "1"});
    expectRefused({"show", "--id", "1", "0"});
    expectRefused({"show", "--to", "rle"});
    EXPECT_EQ(run({"list"}).out, "1970-01-01T00:00:00.003Z\t1\t3\n1970-01-01T00:00:00.001Z\t1\t1\n");
}

TEST_F(ArchiveToolTest, AddsRleAndPlaintextAsTheJsonEncodingAndShowsRecordsInAnyFormat)
{
    ASSERT_EQ(run({"add"}, "x = 3, y = 3, rule = B3/S23\nbo$2bo$3o!\n").status, 0);
    const ToolRun json = run({"show", "0"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out.front(), '[');  // stored as every record is, centred on the 190-row board
    EXPECT_NE(json.out.find(R"({"x":93,"y":95})"), std::string::npos) << json.out;
    // RLE carries where the record lies: Golly's place relative to the 190 board's centre.
    EXPECT_EQ(run({"show", "0", "--to", "rle"}).out, "#CXRLE Pos=-2,-2\nx = 3, y = 3, rule = B3/S23\nbo$2bo$3o!\n");
    EXPECT_EQ(run({"show", "0", "--to", "cells"}).out, ".O\n..O\nOOO\n");
    EXPECT_EQ(run({"show", "0", "--to", "json"}).out.size(), json.out.size());

    ASSERT_EQ(run({"add", "--rows", "760"}, "!Name: blinker\nOOO\n").status, 0);
    EXPECT_NE(run({"show", "0"}).out.find(R"({"x":378,"y":379})"), std::string::npos);  // centred on 760 rows
    // Regression: an RLE placed beyond the 190 board by its Pos line was refused; it
    // is stored where it lies on the 760 board that holds it.
    ASSERT_EQ(run({"add"}, "#CXRLE Pos=-360,-350\nx = 2, y = 1\n2o!\n").status, 0);
    const std::string placed = run({"show", "0"}).out;
    EXPECT_NE(placed.find(R"({"x":20,"y":30})"), std::string::npos) << placed;
    EXPECT_NE(placed.find(R"({"x":21,"y":30})"), std::string::npos) << placed;
    const std::string listed = run({"list"}).out;
    EXPECT_NE(listed.find("\t3\t2\n"), std::string::npos) << listed;
    EXPECT_NE(listed.find("\t5\t1\n"), std::string::npos) << listed;
    EXPECT_NE(listed.find("\t2\t3\n"), std::string::npos) << listed;
}

TEST_F(ArchiveToolTest, BadRleOrPlaintextAndBadShowFormatsChangeNothing)
{
    expectRefused({"add"}, "x = 3, y = 3\nbo$2bo$3o");
    expectRefused({"add"}, "x = 3, y = 3, rule = B36/S23\n3o!");
    expectRefused({"add"}, ".O\n.Q\n");
    expectRefused({"add"}, "x = 800, y = 1\n800o!");  // wider than the largest board
    expectRefused({"add", "--rows", "0"}, "OOO\n");
    expectRefused({"add", "--rows"}, "OOO\n");
    archive(1, "not a pattern");
    expectRefused({"show", "0", "--to", "rle"});
    expectRefused({"show", "0", "--to", "mc"});
    expectRefused({"show", "0", "--from", "rle"});
}

TEST_F(ArchiveToolTest, BadInputAndMissingRecordsChangeNothing)
{
    expectRefused({"add"}, "not json");
    expectRefused({"add"}, R"([{"x":1.5,"y":2}])");
    expectRefused({"add", (folder.path() / "missing.json").string()});
    expectRefused({"show", "0"});
    expectRefused({"delete", "0"});

    archive(1, "[]");
    expectRefused({"add"}, "{}");
    expectRefused({"show", "1"});
    expectRefused({"delete", "1"});
    expectRefused({"delete", "-1"});
    expectRefused({"delete", "+0"});
    expectRefused({"show", "zero"});
    expectRefused({"show", ""});
    expectRefused({"show"});
    expectRefused({"show", "0", "1"});
    expectRefused({"list", "everything"});
    expectRefused({"add", "a.json", "b.json"});
    expectRefused({"launch"});
    expectRefused({});

    archive(2, std::nullopt);
    expectRefused({"show", "0"});  // a record without pattern data
}

TEST_F(ArchiveToolTest, UnavailableArchiveIsRefusedAndLeftAlone)
{
    writeFile(file, "SQLite format 3 but not really");
    for (const auto& args : std::vector<std::vector<std::string>>{{"list"}, {"add"}, {"show", "0"}, {"delete", "0"}})
        expectRefused(args, "[]");
    const ToolRun r = run({"list"});
    EXPECT_EQ(r.err, "cellarium-archive: the archive is unavailable: cannot open " + file.string() +
                         ": file is not a database\n");
}

TEST_F(ArchiveToolTest, DamagedArchiveIsLeftByteForByteAsItWasByEveryCommand)
{
    for (int i = 0; i < 40; ++i)
        archive(i, "[" + std::string(2000, ' ') + "]");
    damageMiddlePage(file);
    const FileState before = fileState(file);

    const ProcessRun added = runArchiveProcess({"add"}, folder.path(), R"([{"x":1,"y":1}])");
    EXPECT_EQ(added.exitCode, 2);
    EXPECT_EQ(added.out, "");
    EXPECT_EQ(added.err.find('\n'), added.err.size() - 1) << "one line: " << added.err;
    EXPECT_NE(added.err.find("is damaged"), std::string::npos) << added.err;
    EXPECT_EQ(fileState(file), before);

    expectRefused({"delete", "0"});
    // Reading may list what it still can, or fail; it never writes.
    run({"list"});
    run({"show", "0"});
    run({"show", "39"});
    EXPECT_EQ(fileState(file), before);
}

TEST_F(ArchiveToolTest, ReadingAnEmptyFileWritesNothingIntoIt)
{
    writeFile(file, "");
    const ToolRun listed = run({"list"});
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out, "");
    expectRefused({"show", "0"});
    EXPECT_EQ(fs::file_size(file), 0u);
    EXPECT_FALSE(fs::exists(file.string() + "-wal"));
}

TEST_F(ArchiveToolTest, RegressionFailedWriteOfTheOutputIsNotReportedAsSuccess)
{
    archive(1, R"([{"x":1,"y":1}])");
    for (const auto& args : std::vector<std::vector<std::string>>{{"list"}, {"show", "0"}, {"export"}, {"--help"}}) {
        const ProcessRun r = runArchiveProcess(args, folder.path(), "", "/dev/full");
        EXPECT_FALSE(r.crashed);
        EXPECT_EQ(r.exitCode, 1) << args[0];
        EXPECT_EQ(r.err, "cellarium-archive: cannot write to standard output\n") << args[0];
    }
}

TEST_F(ArchiveToolTest, FolderAsInputIsUnreadableNotAnInvalidPattern)
{
    expectRefused({"add", folder.path().string()});
    EXPECT_EQ(run({"add", folder.path().string()}).err,
              "cellarium-archive: cannot read '" + folder.path().string() + "': it is a folder\n");
}

TEST_F(ArchiveToolTest, NoDataFolderIsAnUnavailableArchive)
{
    std::istringstream in("[]");
    std::ostringstream out, err;
    EXPECT_EQ(runArchiveTool({"add"}, std::nullopt, in, out, err), 2);
    EXPECT_EQ(out.str(), "");
    EXPECT_NE(err.str().find("XDG_DATA_HOME"), std::string::npos);
}

TEST_F(ArchiveToolTest, HelpSaysHowToUseIt)
{
    const ToolRun r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("cellarium-archive add [FILE]"), std::string::npos);
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(ArchiveToolTest, ExportAndImportCarryEveryRecordExactly)
{
    archive(1'700'000'000'123, "\xEF\xBB\xBF[{\"x\":1,\"y\":2}]\n\nend 0\n");
    archive(5, "not a pattern");
    archive(5, "[]");
    archive(-42, std::nullopt);
    archive(std::nullopt, std::string("\0\n\r", 3));
    const ToolRun exported = run({"export"});
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.out.rfind("Cellarium archive export 1\n", 0), 0u);

    TemporaryFolder other;
    const fs::path backup = other.path() / "backup";
    writeFile(backup, exported.out);
    std::istringstream none;
    std::ostringstream out, err;
    ASSERT_EQ(runArchiveTool({"import", backup.string()}, other.storeFile(), none, out, err), 0) << err.str();
    std::ostringstream again;
    ASSERT_EQ(runArchiveTool({"export"}, other.storeFile(), none, again, err), 0) << err.str();
    EXPECT_EQ(again.str(), exported.out);
    EXPECT_EQ(sql(other.storeFile(), "SELECT hex(lifeData) || '/' || ifnull(addedDate, '-') FROM CoreLife ORDER BY "
                                     "addedDate DESC, id DESC"),
              sql(file, "SELECT hex(lifeData) || '/' || ifnull(addedDate, '-') FROM CoreLife ORDER BY addedDate "
                        "DESC, id DESC"));

    // To a file, as to standard output.
    const fs::path written = other.path() / "written";
    ASSERT_EQ(run({"export", written.string()}).status, 0);
    EXPECT_EQ(readFile(written), exported.out);
}

TEST_F(ArchiveToolTest, BadImportAddsNothing)
{
    archive(1, "[]");
    const std::string good = run({"export"}).out;
    ASSERT_FALSE(good.empty());
    expectRefused({"import"}, "");
    expectRefused({"import"}, "[]");
    expectRefused({"import"}, "Cellarium archive export 2\nend 0\n");
    expectRefused({"import"}, good.substr(0, good.size() - 1));             // cut short
    expectRefused({"import"}, good + "x");                                   // something after the end
    expectRefused({"import"}, "Cellarium archive export 1\nend 1\n");      // a count that does not match
    expectRefused({"import"}, "Cellarium archive export 1\nrecord 1 99\n[]\nend 1\n");
    expectRefused({"import"}, "Cellarium archive export 1\nrecord 1 2\n[]\nrecord +1 2\n[]\nend 2\n");
    expectRefused({"import"}, "Cellarium archive export 1\nrecord 1 -2\n[]\nend 1\n");
    expectRefused({"import", folder.path().string()});
    EXPECT_EQ(run({"list"}).out, "1970-01-01T00:00:00.001Z\t0\t1\n");
}

TEST(IsoDate, FormatsUtcWithMilliseconds)
{
    EXPECT_EQ(isoDate(dateAt(0)), "1970-01-01T00:00:00.000Z");
    EXPECT_EQ(isoDate(dateAt(951'782'400'007)), "2000-02-29T00:00:00.007Z");
    EXPECT_EQ(isoDate(dateAt(-1)), "1969-12-31T23:59:59.999Z");
    EXPECT_EQ(isoDate(dateAt(253'402'300'799'999)), "9999-12-31T23:59:59.999Z");
    // The extremes a foreign file could hold are formatted, not overflowed.
    EXPECT_EQ(isoDate(dateAt(INT64_MAX)), "292278994-08-17T07:12:55.807Z");
    EXPECT_EQ(isoDate(dateAt(INT64_MIN)), "-292275055-05-16T16:47:04.192Z");
}


TEST_F(ArchiveToolTest, ListsAnArchiveOfTheFirstFormatAsItIsAndAddMigratesIt)
{
    makeVersionOneArchive(file, "(1, 1000, CAST('[]' AS BLOB)), (3, 2000, CAST('[{\"x\":1,\"y\":1}]' AS BLOB))");
    const FileState before = fileState(file);
    const ToolRun listed = run({"list"});
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_EQ(listed.out, "1970-01-01T00:00:02.000Z\t1\t3\n1970-01-01T00:00:01.000Z\t0\t1\n");
    EXPECT_EQ(fileState(file), before);

    const ToolRun added = run({"add"}, R"([{"x":2,"y":2},{"x":3,"y":3}])");
    EXPECT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(sql(file, "PRAGMA user_version"), std::vector<std::string>{"2"});
    EXPECT_EQ(sql(file, "SELECT id FROM CoreLife ORDER BY id"), (std::vector<std::string>{"1", "3", "4"}));
    EXPECT_EQ(run({"show", "1"}).out, R"([{"x":1,"y":1}])");
}

}  // namespace
