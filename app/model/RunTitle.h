#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace cellarium {

// How far the run has gone, as the window title and the board's description say it:
// `app` alone before the first generation, then "app — generation G, P cells"
// ("1 cell" for one). UTF-8.
std::string runTitle(std::string_view app, std::int64_t generation, std::size_t cells);

}  // namespace cellarium
