#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace cellarium {

// One step of the board-size cycle 190 → 380 → 760 → 190: the new row count and
// the shift (half the change) that keeps a pattern where it was relative to the
// board's centre. Any other row count is followed by 190.
// The board sizes, smallest first: the sides the cycle goes through, and the ones a
// loaded pattern may grow the board to.
inline constexpr std::array<std::int64_t, 3> kBoardSizes{190, 380, 760};

struct BoardSizeChange {
    std::int64_t rows;
    std::int64_t shift;
};

BoardSizeChange nextBoardSize(std::int64_t rows);

// Where `rows` stands in kBoardSizes; std::nullopt for a size not among them.
std::optional<std::size_t> boardSizeIndex(std::int64_t rows);

}  // namespace cellarium
