#include "StoreTestSupport.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QCoreApplication>
#include <QProcess>
#include <QThread>

#include <cstdlib>
#include <fstream>
#include <grp.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace cellarium::test {

namespace fs = std::filesystem;

namespace {

constexpr uid_t kUnprivileged = 65534;

void makeWritable(const fs::path& folder)
{
    std::error_code error;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, error);
    for (const auto& entry : fs::recursive_directory_iterator(folder, error)) {
        if (entry.is_directory(error))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
}

}  // namespace

TemporaryFolder::TemporaryFolder()
{
    std::string pattern = (fs::temp_directory_path() / "cellarium-store-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
    // An unprivileged child must be able to reach what is inside.
    fs::permissions(path_, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
}

TemporaryFolder::~TemporaryFolder()
{
    makeWritable(path_);
    std::error_code error;
    fs::remove_all(path_, error);
}

std::string readFile(const fs::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << stream.rdbuf();
    return bytes.str();
}

void writeFile(const fs::path& file, const std::string& bytes)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

void makeVersionOneArchive(const fs::path& file, const std::string& values)
{
    sql(file, "PRAGMA journal_mode = WAL;"
              "CREATE TABLE CoreLife (id INTEGER PRIMARY KEY, addedDate INTEGER, lifeData BLOB);"
              "CREATE INDEX CoreLifeByAddedDate ON CoreLife (addedDate);"
              "PRAGMA user_version = 1;"
              "INSERT INTO CoreLife (id, addedDate, lifeData) VALUES " + values);
}

FileState fileState(const fs::path& file)
{
    return {readFile(file), fs::last_write_time(file)};
}

std::vector<std::string> sql(const fs::path& file, const std::string& statements)
{
    sqlite3* db = nullptr;
    std::vector<std::string> rows;
    fs::create_directories(file.parent_path());
    if (sqlite3_open(file.c_str(), &db) != SQLITE_OK) {
        ADD_FAILURE() << "cannot open " << file << ": " << sqlite3_errmsg(db);
        sqlite3_close(db);
        return rows;
    }
    char* error = nullptr;
    const auto collect = [](void* out, int, char** values, char**) {
        static_cast<std::vector<std::string>*>(out)->push_back(values[0] ? values[0] : "NULL");
        return 0;
    };
    if (sqlite3_exec(db, statements.c_str(), collect, &rows, &error) != SQLITE_OK)
        ADD_FAILURE() << "SQL failed on " << file << ": " << (error ? error : "?") << "\n" << statements;
    sqlite3_free(error);
    sqlite3_close(db);
    return rows;
}

CoreLifeDate dateAt(std::int64_t millisecondsSince1970)
{
    return CoreLifeDate(std::chrono::milliseconds(millisecondsSince1970));
}

void damageMiddlePage(const fs::path& file)
{
    const std::vector<std::string> pageSize = sql(file, "PRAGMA page_size");
    ASSERT_EQ(pageSize.size(), 1u);
    const std::size_t size = std::stoul(pageSize[0]);
    std::string bytes = readFile(file);
    const std::size_t pages = bytes.size() / size;
    ASSERT_GE(pages, 4u) << "too small to damage a page in the middle";
    const std::size_t start = pages / 2 * size;
    for (std::size_t i = 0; i < size; ++i)
        bytes[start + i] = static_cast<char>(0xA5 ^ (i * 7));
    std::fstream stream(file, std::ios::binary | std::ios::in | std::ios::out);
    stream.seekp(0);
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void saveIntoLogOnly(const fs::path& file, int count)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    int off = 0;
    sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, &off);
    std::string statements = "PRAGMA journal_mode = WAL; PRAGMA wal_autocheckpoint = 0;";
    for (int i = 0; i < count; ++i)
        statements += "INSERT INTO CoreLife (addedDate, lifeData) VALUES (" + std::to_string(1000 + i) + ", '[]');";
    EXPECT_EQ(sqlite3_exec(db, statements.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
    ASSERT_GT(fs::file_size(file.string() + "-wal"), 0u);
    fs::remove(file.string() + "-shm");
}

std::string inUnprivilegedChild(const std::function<std::string()>& body)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return "cannot make a pipe";
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0)
        return "cannot fork";
    if (child == 0) {
        ::close(channel[0]);
        std::string result;
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kUnprivileged) != 0 || ::setuid(kUnprivileged) != 0))
            result = "cannot drop root privileges";
        else
            result = body();
        if (::write(channel[1], result.data(), result.size()) < 0)
            ::_exit(3);
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string result;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(channel[0], buffer, sizeof buffer)) > 0)
        result.append(buffer, static_cast<std::size_t>(n));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "the child did not finish (status " + std::to_string(status) + "): " + result;
    return result;
}

void handToUnprivilegedChild(const fs::path& path)
{
    if (::geteuid() == 0 && ::chown(path.c_str(), kUnprivileged, kUnprivileged) != 0)
        ADD_FAILURE() << "cannot hand " << path << " to the unprivileged user";
}

bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}

ProcessRun runArchiveProcess(const std::vector<std::string>& args, const fs::path& dataHome, const std::string& input,
                             const std::string& outputFile)
{
    QProcess process;
    if (!outputFile.empty())
        process.setStandardOutputFile(QString::fromStdString(outputFile));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", QString::fromStdString(dataHome.string()));
    process.setProcessEnvironment(environment);
    QStringList arguments;
    for (const std::string& arg : args)
        arguments << QString::fromStdString(arg);
    process.start(ARCHIVE_TOOL_PATH, arguments);
    ProcessRun run;
    if (!process.waitForStarted(10000)) {
        run.err = "cannot start " ARCHIVE_TOOL_PATH;
        return run;
    }
    process.write(input.data(), static_cast<qint64>(input.size()));
    process.closeWriteChannel();
    if (!process.waitForFinished(60000))
        process.kill();
    process.waitForFinished();
    run.crashed = process.exitStatus() != QProcess::NormalExit;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

}  // namespace cellarium::test
