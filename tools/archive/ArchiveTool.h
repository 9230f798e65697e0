#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace cellarium {

// cellarium-archive: the pattern archive from the command line.
//   list          one line per record, newest first: date, tab, number of cells or "invalid",
//                 tab, record id
//   add [FILE] [--rows R]  archive a pattern read from FILE or `in`, dated now: JSON as
//                 it is, RLE or plaintext as its JSON encoding, centred on R rows (190)
//   show N [--to F]  write the pattern data of record N (0 is the newest) to `out`,
//                 byte for byte, or in format F (json, rle, cells)
//   delete N      delete record N
//   show --id ID, delete --id ID  the same for the record with that id: ids are never
//                 reused, so a save since `list` cannot make them name another record
// Works on the archive at `storeFile` (nullopt: there is none to be found). list,
// show and delete do not create a missing archive; they treat it as empty.
// Returns the exit status: 0 on success; 2 on bad arguments or input, a missing record
// or an unavailable archive, with one line on `err`, nothing on `out`, and the archive
// unchanged; 1, with one line on `err`, when `out` fails or memory runs out.
int runArchiveTool(const std::vector<std::string>& args, const std::optional<std::filesystem::path>& storeFile,
                   std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace cellarium
