#include "BoardSize.h"

namespace cellarium {

BoardSizeChange nextBoardSize(std::int64_t rows)
{
    const std::int64_t next = rows == 190 ? 380 : rows == 380 ? 760 : 190;
    return {next, (next - rows) / 2};
}

}  // namespace cellarium
