#pragma once

#include <csignal>
#include <iosfwd>
#include <string>
#include <vector>

namespace cellarium {

// cellarium-life: advances a pattern from the command line.
//   step --rows R --generations N [FILE]   read a pattern (FILE or standard input), step it, write it
//   first-run                              write the first-run pattern
// Returns the exit status, with one line on `err` on failure: 0 on success; 1 when
// `out` fails or memory runs out; 2 on bad input or arguments (nothing on `out`); 130
// when `*interrupted` became non-zero (checked after reading and between generations;
// nothing on `out`). `interrupted` may be null, and may be set by a signal handler.
int runLifeTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
                const volatile std::sig_atomic_t* interrupted = nullptr);

}  // namespace cellarium
