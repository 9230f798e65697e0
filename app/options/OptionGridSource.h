#pragma once

#include "options/OptionItems.h"

#include "platform/GridViewDataSource.h"

#include <QImage>
#include <QString>

#include <array>

// The options grid's data source: a cell for each of the OptionItems, with its icon
// drawn once for the current state and drawn again only when the state changes it.
// The grid holds it unowned; it must outlive the grid's use of it. Main thread only.
class OptionGridSource : public platform::GridViewDataSource {
public:
    static constexpr qreal iconPointSize = 44;

    explicit OptionGridSource(const OptionItems::State& state);

    const OptionItems::State& state() const { return state_; }
    // Each takes a new value of the state, drawing again the icons it changes; the
    // grid's cells are reloaded by the caller.
    void setCountOfRows(std::int64_t rows);
    void setPanMode(bool panMode);
    void setHighSpeed(bool highSpeed);
    void setDidUseLiveIcon(bool didUseLiveIcon);

    // The item at `row` for the current state.
    OptionItems::Item item(int row) const { return OptionItems::item(row, state_); }
    // The icon of each item, by row; null where the name does not resolve.
    const std::array<QImage, OptionItems::count>& images() const { return images_; }
    // The name of the image shown at `row`; empty outside the grid.
    QString imageName(int row) const;

    // Registers the option cell with `grid` and becomes its data source.
    void serve(platform::GridView& grid);

    int numberOfItems(platform::GridView& grid) override;
    platform::GridViewCell* cellForItem(platform::GridView& grid, int item) override;

private:
    void redrawChangedIcons();
    void drawIcon(int row, const OptionItems::Item& item);

    OptionItems::State state_;
    std::array<QImage, OptionItems::count> images_;
    std::array<QString, OptionItems::count> imageNames_;
};
