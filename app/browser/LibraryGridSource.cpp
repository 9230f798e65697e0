#include "browser/LibraryGridSource.h"

#include "browser/ArchiveThumbnail.h"
#include "browser/LibraryCell.h"


#include "platform/GridView.h"
#include "platform/SystemSymbol.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace {

constexpr qreal kNameHeight = 32;  // the name line under each thumbnail

QString kindName(cellarium::ClassicPatternKind kind)
{
    using enum cellarium::ClassicPatternKind;
    switch (kind) {
    case stillLife: return QCoreApplication::translate("LibraryGridSource", "Still life");
    case oscillator: return QCoreApplication::translate("LibraryGridSource", "Oscillator");
    case spaceship: return QCoreApplication::translate("LibraryGridSource", "Spaceship");
    case methuselah: return QCoreApplication::translate("LibraryGridSource", "Methuselah");
    case gun: return QCoreApplication::translate("LibraryGridSource", "Gun");
    case puffer: return QCoreApplication::translate("LibraryGridSource", "Puffer");
    }
    return {};
}

}  // namespace

LibraryGridSource::LibraryGridSource(std::function<void(const cellarium::ClassicPattern&)> choose)
    : choose_(std::move(choose))
{
}

void LibraryGridSource::registerCell(platform::GridView& grid)
{
    grid.registerCell(QString::fromLatin1(reuseIdentifier), [](QWidget* parent) { return new LibraryCell(parent); });
}

QImage LibraryGridSource::thumbnail(const cellarium::ClassicPattern& pattern, double side, double scale)
{
    // The smallest board of 16, 32, 64 … rows that holds the pattern frames it.
    for (std::int64_t rows = 16; rows <= cellarium::kMaxPatternTextRows; rows *= 2) {
        const cellarium::PatternReading read = cellarium::readClassicPattern(pattern, rows);
        if (!read)
            continue;
        return cellarium::drawArchiveThumbnail(
            *read.lifes, {std::string(), side, scale, 1, double(rows), platform::labelColor()});
    }
    return {};
}

int LibraryGridSource::numberOfItems(platform::GridView&)
{
    return int(cellarium::classicPatterns().size());
}

platform::GridViewCell* LibraryGridSource::cellForItem(platform::GridView& grid, int item)
{
    auto* cell = static_cast<LibraryCell*>(grid.dequeueReusableCell(QString::fromLatin1(reuseIdentifier)));
    const cellarium::ClassicPattern& pattern = cellarium::classicPatterns()[std::size_t(item)];
    const double side = sizeForItem(grid, item).width();
    const double scale = cell->devicePixelRatioF();  // drawn in the pixels it is shown at
    if (side != thumbnailSide_ || scale != thumbnailScale_) {
        thumbnails_.clear();
        thumbnailSide_ = side;
        thumbnailScale_ = scale;
    }
    QImage image;
    if (const QImage* cached = thumbnails_.object(item)) {
        image = *cached;
    } else {
        image = thumbnail(pattern, side, scale);
        thumbnails_.insert(item, new QImage(image), std::max<qsizetype>(1, image.sizeInBytes()));
    }
    cell->setPattern(QString::fromUtf8(pattern.name.data(), qsizetype(pattern.name.size())), kindName(pattern.kind),
                     image);
    return cell;
}

QSizeF LibraryGridSource::sizeForItem(platform::GridView& grid, int)
{
    const qreal side = std::floor(grid.boundsWidth() / 2);
    return {side, side + kNameHeight};
}

void LibraryGridSource::didSelectItem(platform::GridView&, int item)
{
    const auto patterns = cellarium::classicPatterns();
    if (item < 0 || std::size_t(item) >= patterns.size() || !choose_)
        return;
    choose_(patterns[std::size_t(item)]);
}
