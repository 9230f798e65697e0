#include "ToolProcess.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <chrono>
#include <fstream>
#include <signal.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace cellarium::test {

namespace {

std::string readAndRemove(const std::string& path)
{
    std::ifstream stream(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << stream.rdbuf();
    std::filesystem::remove(path);
    return bytes.str();
}

std::string temporaryFile()
{
    std::string path = (std::filesystem::temp_directory_path() / "cellarium-tool-XXXXXX").string();
    const int fd = ::mkstemp(path.data());
    if (fd >= 0)
        ::close(fd);
    return path;
}

}  // namespace

ToolProcessRun runToolProcess(const std::string& program, const std::vector<std::string>& args,
                              const ToolProcessOptions& options)
{
    const std::string outPath = options.output.empty() ? temporaryFile() : options.output;
    const std::string errPath = temporaryFile();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    const pid_t child = ::fork();
    if (child == 0) {
        const int in = ::open(options.input.c_str(), O_RDONLY);
        const int out = ::open(outPath.c_str(), O_WRONLY);
        const int err = ::open(errPath.c_str(), O_WRONLY);
        if (in < 0 || out < 0 || err < 0)
            ::_exit(127);
        if (options.addressSpaceLimit != 0) {
            const rlimit limit{options.addressSpaceLimit, options.addressSpaceLimit};
            if (::setrlimit(RLIMIT_AS, &limit) != 0)
                ::_exit(127);
        }
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ToolProcessRun run;
    if (child < 0)
        return run;
    if (options.whileRunning)
        options.whileRunning(child);
    int status = 0;
    ::waitpid(child, &status, 0);
    run.exited = WIFEXITED(status);
    run.status = run.exited ? WEXITSTATUS(status) : -1;
    if (options.output.empty())
        run.out = readAndRemove(outPath);
    run.err = readAndRemove(errPath);
    return run;
}

bool waitForSignalHandler(pid_t process, int signal)
{
    const std::string statusFile = "/proc/" + std::to_string(process) + "/status";
    for (;;) {
        std::ifstream status(statusFile);
        std::string line;
        bool found = false;
        while (std::getline(status, line)) {
            if (line.rfind("State:", 0) == 0 && line.find('Z') != std::string::npos)
                return false;  // ended, not yet waited for
            if (line.rfind("SigCgt:", 0) == 0) {
                found = true;
                const unsigned long long caught = std::stoull(line.substr(7), nullptr, 16);
                if (caught & (1ull << (signal - 1)))
                    return true;
            }
        }
        if (!found)
            return false;  // the process is gone
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

}  // namespace cellarium::test
