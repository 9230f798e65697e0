#pragma once

#include "store/CoreLifeRow.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cellarium {

// The export file of cellarium-archive: every record of an archive in one file, so
// that a backup holds what was committed, whatever is still in the write-ahead log.
//
// Format 1, bytes exactly as follows:
//
//     Cellarium archive export 1\n
//     then for each record, in the archive's listing order (newest first):
//     record DATE LENGTH\n     DATE: addedDate in milliseconds since 1970 UTC, or '-'
//                              LENGTH: lifeData's byte count, or '-' when absent
//     LENGTH bytes of lifeData, unchanged, then \n (no bytes and no \n when absent)
//     end COUNT\n              COUNT: the number of records; nothing may follow
//
// Numbers are decimal, without sign except a date's '-' before its digits.
std::string exportRecords(const std::vector<CoreLifeRow>& rows);

// The records of an export file, in its order; nullopt and `why` (one line) when the
// bytes are not a complete export of format 1.
std::optional<std::vector<CoreLifeRow>> importRecords(std::string_view bytes, std::string& why);

}  // namespace cellarium
