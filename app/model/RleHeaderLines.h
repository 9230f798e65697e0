#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// The lines of an RLE text before its runs: the header, the rule and the `#CXRLE`
// line, as readRlePattern reads them. Internal to the RLE reader; any thread.
namespace cellarium::rle {

// The largest run count, and the largest width or height, a text may give.
inline constexpr std::int64_t kMaxCount = std::int64_t{1} << 31;

struct Header {
    std::int64_t width = 0;
    std::int64_t height = 0;
};

bool isSpace(char c);
std::string_view trim(std::string_view s);

// Why `rule` is refused; nullopt for Conway's Life.
std::optional<std::string> checkRule(std::string_view rule);
// `x = W, y = H[, rule = R]`; the fault or the header.
std::optional<std::string> parseHeader(std::string_view line, std::int64_t rows, Header& header);
// The header line's text is never a run line: runs start with a count, a state or `$`.
bool isHeaderLine(std::string_view line);
// The Pos=X,Y of a `#CXRLE` line (Golly's extended RLE): the header box's top-left
// cell relative to the board's centre. nullopt in `pos` when the line has none;
// the fault when it is not two whole numbers.
std::optional<std::string> parseCxrle(std::string_view line, std::optional<std::pair<std::int64_t, std::int64_t>>& pos);

}  // namespace cellarium::rle
