#pragma once

#include <csignal>
#include <iosfwd>
#include <string>
#include <vector>

namespace cellarium {

// cellarium-life: advances a pattern from the command line.
//   step --rows R --generations N [FILE] [--from F] [--to F] [--stats]   read a pattern (FILE or
//                                          standard input), step it, write it (JSON unless --to says rle
//                                          or cells); --stats adds one line on `err` on success: the
//                                          generation, the window's population and the period if found
//   convert --to F [FILE] [--from F] [--rows R]                 read a pattern, write it in format F
//   first-run                              write the first-run pattern
// The input's format is told by its content unless --from names it; RLE stands where
// its Pos line puts it, else centred like plaintext, on the board of R rows (190 for
// convert), which grows to the smallest larger board size holding the pattern's cells.
// Returns the exit status, with one line on `err` on failure: 0 on success; 1 when
// `out` fails or memory runs out; 2 on bad input or arguments (nothing on `out`); 130
// when `*interrupted` became non-zero (checked after reading and between generations;
// nothing on `out`). `interrupted` may be null, and may be set by a signal handler.
int runLifeTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err,
                const volatile std::sig_atomic_t* interrupted = nullptr);

}  // namespace cellarium
