#pragma once

#include "store/CoreLifeRow.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace cellarium::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Where the app keeps the archive with XDG_DATA_HOME set to this folder.
    std::filesystem::path storeFile() const { return path_ / "cellarium" / "CoreLife.sqlite"; }

private:
    std::filesystem::path path_;
};

// The file's bytes and modification time, to tell whether it was touched.
struct FileState {
    std::string bytes;
    std::filesystem::file_time_type modified;
    friend bool operator==(const FileState&, const FileState&) = default;
};
FileState fileState(const std::filesystem::path& file);
std::string readFile(const std::filesystem::path& file);
void writeFile(const std::filesystem::path& file, const std::string& bytes);

// Runs SQL on the file through a connection of its own; returns the first column of
// each result row as text (NULL as "NULL"). Fails the test on an SQLite error.
std::vector<std::string> sql(const std::filesystem::path& file, const std::string& statements);

CoreLifeDate dateAt(std::int64_t millisecondsSince1970);

// An archive file in the first format (ids that a later insert may reuse), as that
// version wrote it, closed; `values` is an SQL VALUES list of (id, addedDate, lifeData).
void makeVersionOneArchive(const std::filesystem::path& file, const std::string& values);

// Overwrites the middle page of a closed database file with garbage, as a failing disk
// or a bad copy would, leaving its first page (the schema) intact.
void damageMiddlePage(const std::filesystem::path& file);

// Saves `count` records through a connection that leaves them in the write-ahead log:
// no checkpoint, and the log's shared-memory file removed, as after a crash or a copy
// of the folder without it.
void saveIntoLogOnly(const std::filesystem::path& file, int count);

// Runs `body` in a forked child, as user and group 65534 when this process is root, so
// that file permissions apply to it as to any user. Returns what `body` returned (empty
// for success), or why the child did not finish.
std::string inUnprivilegedChild(const std::function<std::string()>& body);
// Lets the unprivileged child write `path` (a no-op unless this process is root).
void handToUnprivilegedChild(const std::filesystem::path& path);

// Processes events until `condition` holds or `timeout` passes; returns the condition.
bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(10));

// The command-line tool run as a process, with XDG_DATA_HOME set to `dataHome`; its
// standard output goes to `outputFile` when one is given.
struct ProcessRun {
    int exitCode = -1;
    bool crashed = false;
    std::string out;
    std::string err;
};
ProcessRun runArchiveProcess(const std::vector<std::string>& args, const std::filesystem::path& dataHome,
                             const std::string& input = "", const std::string& outputFile = "");

}  // namespace cellarium::test
