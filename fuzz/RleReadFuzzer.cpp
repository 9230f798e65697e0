// libFuzzer target: reading RLE never crashes, a refusal always names its fault in
// one line, and whatever is read survives writing and reading back unchanged.

#include "model/RlePattern.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The first byte picks the board side, so that size limits are explored too.
    const std::int64_t rows = size > 0 ? 1 + data[0] * 3 : 190;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const cellarium::PatternReading read = cellarium::readRlePattern(text, rows);
    if (!read) {
        if (read.fault.empty() || read.fault.find('\n') != std::string::npos)
            std::abort();
        return 0;
    }
    const cellarium::PatternReading again = cellarium::readRlePattern(cellarium::writeRlePattern(*read.lifes, rows), rows);
    if (!again || *again.lifes != *read.lifes)
        std::abort();
    return 0;
}
