#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace cellarium {

// An archive date: an instant in UTC, to the millisecond.
using CoreLifeDate = std::chrono::sys_time<std::chrono::milliseconds>;

// One row of the "CoreLife" table as the store reads and writes it.
struct CoreLifeRow {
    std::optional<std::int64_t> key;  // the row's identity; absent until the row is written
    std::optional<CoreLifeDate> addedDate;
    std::optional<std::string> lifeData;
};

}  // namespace cellarium
