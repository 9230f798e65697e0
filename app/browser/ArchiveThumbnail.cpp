#include "browser/ArchiveThumbnail.h"

#include "model/PatternCoding.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace cellarium {

QImage drawArchiveThumbnail(const LifeSet& lifes, const ArchiveThumbnailInputs& inputs)
{
    const int pixels = std::max(0, static_cast<int>(std::lround(inputs.side * inputs.scale)));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.setDevicePixelRatio(inputs.scale);
    image.fill(Qt::transparent);
    if (inputs.contentWidth <= 0 || inputs.lifeWidth <= 0)
        return image;

    // Filling whole pixels directly: a path of several hundred thousand squares costs
    // far more to rasterise than the squares' pixels do.
    const double cell = inputs.side / inputs.contentWidth * inputs.lifeWidth * inputs.scale;
    const QRgb colour = qPremultiply(inputs.color.rgba());
    auto edge = [cell](std::int64_t i) { return static_cast<std::int64_t>(std::floor(cell * static_cast<double>(i))); };
    const std::int64_t limit = pixels;
    lifes.forEachPlaced([&](std::int64_t x, std::int64_t y) {
        if (x < 0 || y < 0 || cell * static_cast<double>(x) >= limit || cell * static_cast<double>(y) >= limit)
            return;
        const std::int64_t left = edge(x), right = std::min(limit, std::max(edge(x + 1), left + 1));
        const std::int64_t top = edge(y), bottom = std::min(limit, std::max(edge(y + 1), top + 1));
        for (std::int64_t row = top; row < bottom; ++row) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(row)));
            std::fill(line + left, line + right, colour);
        }
    });
    return image;
}

std::optional<ArchiveThumbnail> renderArchiveThumbnail(const ArchiveThumbnailInputs& inputs)
{
    try {
        std::optional<LifeSet> lifes = decodePattern(inputs.lifeData);
        if (!lifes)
            return std::nullopt;
        QImage image = drawArchiveThumbnail(*lifes, inputs);
        if (image.isNull() && inputs.side * inputs.scale >= 0.5)
            return std::nullopt;  // no memory for the image
        return ArchiveThumbnail{std::move(image), lifes->count()};
    } catch (const std::bad_alloc&) {
        // A pattern too large to decode here is no pattern to this thumbnail.
        return std::nullopt;
    }
}

}  // namespace cellarium
