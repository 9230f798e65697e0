// libFuzzer target: decoding never crashes, and whatever decodes survives a round trip.

#include "model/PatternCoding.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<cellarium::LifeSet> lifes = cellarium::decodePattern(bytes);
    if (lifes) {
        const std::optional<cellarium::LifeSet> again = cellarium::decodePattern(cellarium::encodePattern(*lifes));
        if (!again || *again != *lifes)
            std::abort();
        const std::optional<cellarium::LifeSet> board = cellarium::decodeBoardPattern(bytes);
        if (!board || board->count() + lifes->unplaced().size() != lifes->count())
            std::abort();
    }
    return 0;
}
