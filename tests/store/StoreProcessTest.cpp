#include "store/CoreLifeContainer.h"
#include "StoreTestSupport.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QProcess>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <random>
#include <set>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

using namespace cellarium;
using namespace cellarium::test;
using Clock = std::chrono::steady_clock;

namespace {

// `cellarium-archive add FILE` as a child process.
class AddProcess {
public:
    AddProcess(const TemporaryFolder& folder, const std::filesystem::path& pattern)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", QString::fromStdString(folder.path().string()));
        process_.setProcessEnvironment(environment);
        process_.start(ARCHIVE_TOOL_PATH, {"add", QString::fromStdString(pattern.string())});
        started_ = process_.waitForStarted(10000);
    }
    ~AddProcess()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }

    bool started() const { return started_; }
    bool running() const { return process_.state() == QProcess::Running; }
    void kill() { process_.kill(); }  // SIGKILL
    // True when it ran to the end and reported a successful save.
    bool savedAfterFinishing()
    {
        process_.waitForFinished(60000);
        return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
    }
    bool wasKilled() const { return process_.exitStatus() == QProcess::CrashExit; }
    std::string errors() { return process_.readAllStandardError().toStdString(); }

private:
    QProcess process_;
    bool started_ = false;
};

// A pattern of its own for each add, to tell which saves were kept.
std::string patternNumber(int i)
{
    return "[{\"x\":" + std::to_string(i) + ",\"y\":0}]";
}

std::filesystem::path writePattern(const TemporaryFolder& folder, int i)
{
    const auto path = folder.path() / ("pattern-" + std::to_string(i) + ".json");
    writeFile(path, patternNumber(i));
    return path;
}

std::multiset<std::string> storedPatterns(const std::filesystem::path& file)
{
    const auto rows = sql(file, "SELECT lifeData FROM CoreLife");
    return {rows.begin(), rows.end()};
}

TEST(StoreProcess, KillingSavingProcessesNeitherLosesAReportedSaveNorCorruptsTheArchive)
{
    TemporaryFolder folder;

    // How long one add takes here, so that kills land throughout its run.
    std::vector<Clock::duration> durations;
    std::set<std::string> reported;
    for (int i = 0; i < 3; ++i) {
        const auto start = Clock::now();
        AddProcess add(folder, writePattern(folder, i));
        ASSERT_TRUE(add.started());
        ASSERT_TRUE(add.savedAfterFinishing()) << add.errors();
        durations.push_back(Clock::now() - start);
        reported.insert(patternNumber(i));
    }
    std::sort(durations.begin(), durations.end());
    const auto typical = std::chrono::duration_cast<std::chrono::microseconds>(durations[1]);

    // A fixed seed by default, so that a failure can be run again; another one through
    // CELLARIUM_KILL_TEST_SEED.
    const char* seedText = std::getenv("CELLARIUM_KILL_TEST_SEED");
    const unsigned seed = seedText != nullptr ? static_cast<unsigned>(std::strtoul(seedText, nullptr, 10)) : 20261208u;
    std::cout << "kill test seed " << seed << " (CELLARIUM_KILL_TEST_SEED overrides it)\n";
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::int64_t> delay(0, typical.count() * 5 / 4);
    const auto deadline = Clock::now() + std::chrono::seconds(15);
    int killed = 0;
    for (int i = 3; i < 150 && Clock::now() < deadline; ++i) {
        AddProcess add(folder, writePattern(folder, i));
        ASSERT_TRUE(add.started());
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        if (add.running())
            add.kill();
        if (add.savedAfterFinishing())
            reported.insert(patternNumber(i));
        else if (add.wasKilled())
            ++killed;
        else
            FAIL() << "add " << i << " failed without being killed: " << add.errors() << " (seed " << seed << ")";
    }

    std::cout << killed << " adds killed, " << reported.size() << " reported saved; kills within "
              << typical.count() * 5 / 4 << " µs of the start (seed " << seed << ")\n";
    EXPECT_GT(killed, 5) << "seed " << seed;
    EXPECT_EQ(sql(folder.storeFile(), "PRAGMA integrity_check"), std::vector<std::string>{"ok"});
    const std::multiset<std::string> stored = storedPatterns(folder.storeFile());
    for (const std::string& pattern : reported)
        EXPECT_EQ(stored.count(pattern), 1u) << pattern << " was reported saved (seed " << seed << ")";
    for (const std::string& pattern : stored)
        EXPECT_LE(stored.count(pattern), 1u) << pattern << " stored twice";
    CoreLifeContainer container(folder.storeFile());
    EXPECT_TRUE(container.isAvailable());
}

TEST(StoreProcess, ProcessesSavingAtOnceLoseNoRecord)
{
    TemporaryFolder folder;
    int next = 0;
    for (int round = 0; round < 4; ++round) {
        std::vector<std::unique_ptr<AddProcess>> adds;
        for (int i = 0; i < 4; ++i, ++next)
            adds.push_back(std::make_unique<AddProcess>(folder, writePattern(folder, next)));
        for (auto& add : adds)
            EXPECT_TRUE(add->savedAfterFinishing()) << add->errors();
    }
    std::multiset<std::string> expected;
    for (int i = 0; i < next; ++i)
        expected.insert(patternNumber(i));
    EXPECT_EQ(storedPatterns(folder.storeFile()), expected);
}

// Another process that takes the archive's write lock, inserts a row, says so on a
// pipe, and commits when told to.
class LockHoldingProcess {
public:
    explicit LockHoldingProcess(const std::filesystem::path& file)
    {
        int said[2], told[2];
        if (::pipe(said) != 0 || ::pipe(told) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(said[0]);
            ::close(told[1]);
            sqlite3* db = nullptr;
            bool held = sqlite3_open(file.c_str(), &db) == SQLITE_OK &&
                        sqlite3_exec(db, "BEGIN IMMEDIATE; INSERT INTO CoreLife (lifeData) VALUES ('[]')", nullptr,
                                     nullptr, nullptr) == SQLITE_OK;
            const char answer = held ? 'H' : 'F';
            ssize_t ignored = ::write(said[1], &answer, 1);
            char command = 0;
            ignored = ::read(told[0], &command, 1);
            (void)ignored;
            const bool committed = held && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
            sqlite3_close(db);
            ::_exit(committed ? 0 : 1);
        }
        ::close(said[1]);
        ::close(told[0]);
        said_ = said[0];
        told_ = told[1];
    }
    ~LockHoldingProcess()
    {
        release();
        if (said_ >= 0)
            ::close(said_);
    }

    // Blocks until the process says whether it holds the lock.
    bool holdsLock()
    {
        char answer = 0;
        return pid_ > 0 && ::read(said_, &answer, 1) == 1 && answer == 'H';
    }
    // Tells it to commit and waits for it; true when the commit succeeded.
    bool release()
    {
        if (told_ < 0)
            return exited_;
        const char command = 'C';
        ssize_t ignored = ::write(told_, &command, 1);
        (void)ignored;
        ::close(told_);
        told_ = -1;
        int status = 0;
        exited_ = ::waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status) && WEXITSTATUS(status) == 0;
        return exited_;
    }

private:
    pid_t pid_ = -1;
    int said_ = -1;
    int told_ = -1;
    bool exited_ = false;
};

TEST(StoreProcess, SaveWaitsForAnotherProcessToReleaseItsLock)
{
    TemporaryFolder folder;
    { CoreLifeContainer create(folder.storeFile()); }
    LockHoldingProcess other(folder.storeFile());
    ASSERT_TRUE(other.holdsLock());
    AddProcess add(folder, writePattern(folder, 1));
    ASSERT_TRUE(add.started());
    // The add cannot write while the lock is held: it either waits for it or gives up.
    EXPECT_EQ(storedPatterns(folder.storeFile()), std::multiset<std::string>{});
    ASSERT_TRUE(other.release());
    EXPECT_TRUE(add.savedAfterFinishing()) << "the save should wait for the lock: " << add.errors();
    // Written after the other process's row, which was committed first.
    EXPECT_EQ(sql(folder.storeFile(), "SELECT lifeData FROM CoreLife ORDER BY id"),
              (std::vector<std::string>{"[]", patternNumber(1)}));
}

}  // namespace
