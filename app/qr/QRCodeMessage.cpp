#include "qr/QRCodeMessage.h"

#include "model/PatternCoding.h"
#include "model/PatternReading.h"
#include "model/RlePattern.h"

#include <algorithm>
#include <limits>

namespace {

// Whether the cells' bounding box is one the readers take back (at most
// kMaxPatternTextRows a side); wider ones are never written, which also keeps
// the writer's dense scan small.
bool readableBack(const cellarium::LifeSet& lifes)
{
    std::int64_t minX = std::numeric_limits<std::int64_t>::max(), maxX = std::numeric_limits<std::int64_t>::min();
    std::int64_t minY = minX, maxY = maxX;
    lifes.forEachPlaced([&](std::int64_t x, std::int64_t y) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    });
    if (minX > maxX)
        return true;
    const auto fits = [](std::int64_t lo, std::int64_t hi) {
        return static_cast<std::uint64_t>(hi) - static_cast<std::uint64_t>(lo) <
               static_cast<std::uint64_t>(cellarium::kMaxPatternTextRows);
    };
    return fits(minX, maxX) && fits(minY, maxY);
}

}  // namespace

std::optional<std::string> qrCodeMessage(std::string_view patternEncoding, std::int64_t rows)
{
    if (patternEncoding.size() <= qrMaxMessageBytes)
        return std::string(patternEncoding);
    const std::optional<cellarium::LifeSet> lifes = cellarium::decodeBoardPattern(patternEncoding);
    if (!lifes || !readableBack(*lifes))
        return std::nullopt;
    std::string rle = cellarium::writeRlePattern(*lifes, rows);
    if (rle.size() > qrMaxMessageBytes)
        return std::nullopt;
    return rle;
}
