#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace cellarium::test {

// A finished run of a command-line tool.
struct ToolProcessRun {
    bool exited = false;  // false: ended by a signal, or could not be run
    int status = -1;      // the exit status, when exited
    std::string out;      // standard output, unless it went to a file
    std::string err;
};

struct ToolProcessOptions {
    std::string input = "/dev/null";  // the file standard input reads
    std::string output;               // the file standard output writes; empty: captured
    std::size_t addressSpaceLimit = 0;  // bytes of address space the child may map; 0: no limit
    // Called with the running child's id before waiting for it to end.
    std::function<void(pid_t)> whileRunning;
};

// Runs `program` with `args` and waits for it to end.
ToolProcessRun runToolProcess(const std::string& program, const std::vector<std::string>& args,
                              const ToolProcessOptions& options = {});

// Waits until the process has installed a handler for `signal`; false if it ends first.
bool waitForSignalHandler(pid_t process, int signal);

}  // namespace cellarium::test
