#include "model/BoardSize.h"

namespace cellarium {

BoardSizeChange nextBoardSize(std::int64_t rows)
{
    const std::int64_t next = rows == 190 ? 380 : rows == 380 ? 760 : 190;
    return {next, (next - rows) / 2};
}

std::optional<std::size_t> boardSizeIndex(std::int64_t rows)
{
    for (std::size_t i = 0; i < kBoardSizes.size(); ++i)
        if (kBoardSizes[i] == rows)
            return i;
    return std::nullopt;
}

}  // namespace cellarium
