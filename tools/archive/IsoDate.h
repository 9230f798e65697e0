#pragma once

#include "store/CoreLifeRow.h"

#include <string>

namespace cellarium {

// The date in ISO 8601 UTC with milliseconds: "2024-05-01T12:34:56.789Z". Every
// representable date is formatted; years outside 0000-9999 get more digits or a sign.
std::string isoDate(CoreLifeDate date);

}  // namespace cellarium
