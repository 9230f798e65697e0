#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace cellarium {

// cellarium-life: advances a pattern from the command line.
//   step --rows R --generations N [FILE]   read a pattern (FILE or standard input), step it, write it
//   first-run                              write the first-run pattern
// Returns the exit status: 0 on success, 2 on bad input or arguments (one line on
// `err`, nothing on `out`).
int runLifeTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace cellarium
