#include "options/OptionGridSource.h"

#include "options/AppImages.h"
#include "options/OptionCell.h"
#include "widgets/DesignableImageView.h"
#include "widgets/DesignableView.h"

#include "platform/GridView.h"
#include "platform/SystemSymbol.h"

OptionGridSource::OptionGridSource(const OptionItems::State& state) : state_(state)
{
    for (int row = 0; row < OptionItems::count; ++row)
        drawIcon(row, item(row));
}

void OptionGridSource::setCountOfRows(std::int64_t rows)
{
    state_.countOfRows = rows;
    redrawChangedIcons();
}

void OptionGridSource::setPanMode(bool panMode)
{
    state_.panMode = panMode;
    redrawChangedIcons();
}

void OptionGridSource::setHighSpeed(bool highSpeed)
{
    state_.highSpeed = highSpeed;
    redrawChangedIcons();
}

void OptionGridSource::setDidUseLiveIcon(bool didUseLiveIcon)
{
    state_.didUseLiveIcon = didUseLiveIcon;
    redrawChangedIcons();
}

void OptionGridSource::redrawChangedIcons()
{
    for (int row = 0; row < OptionItems::count; ++row) {
        const OptionItems::Item now = item(row);
        if (imageNames_[size_t(row)] != QLatin1String(now.symbol))
            drawIcon(row, now);
    }
}

void OptionGridSource::drawIcon(int row, const OptionItems::Item& item)
{
    const QString name = QString::fromLatin1(item.symbol);
    imageNames_[size_t(row)] = name;
    images_[size_t(row)] = item.source == OptionItems::Source::System
                               ? platform::systemImage(name, iconPointSize)
                               : appImage(name, iconPointSize, platform::labelColor());
}

QString OptionGridSource::imageName(int row) const
{
    return row >= 0 && row < OptionItems::count ? imageNames_[size_t(row)] : QString();
}

void OptionGridSource::serve(platform::GridView& grid)
{
    grid.registerCell(QString::fromLatin1(OptionCell::reuseIdentifier), [](QWidget* parent) { return new OptionCell(parent); });
    grid.setDataSource(this);
}

int OptionGridSource::numberOfItems(platform::GridView&)
{
    return OptionItems::count;
}

platform::GridViewCell* OptionGridSource::cellForItem(platform::GridView& grid, int row)
{
    auto* cell = static_cast<OptionCell*>(grid.dequeueReusableCell(QString::fromLatin1(OptionCell::reuseIdentifier)));
    cell->iconImageView()->setImage(row >= 0 && row < OptionItems::count ? images_[size_t(row)] : QImage());
    cell->containerView()->setBorderWidth(1.0);
    const OptionItems::Item shown = item(row);
    cell->setAccessibleName(shown.accessibleName);
    cell->setToolTip(shown.accessibleName);
    cell->setAccessibleDescription(shown.accessibleDescription);
    return cell;
}
