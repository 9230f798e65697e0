#pragma once

#include "model/ClassicPatterns.h"

#include "platform/GridViewDataSource.h"
#include "platform/GridViewDelegate.h"

#include <QCache>
#include <QImage>

#include <functional>

namespace platform {
class GridView;
}

// The archive browser's library view: the classic patterns as a grid of thumbnails
// over their names, two a row, in the library's order. Choosing one hands it to the
// choice handler; nothing here can be deleted. A thumbnail frames its pattern with a
// margin (the board's own scale would make a glider a dot), is drawn by the archive's
// thumbnail drawing on the main thread (a few dozen cells) when first shown, and is
// kept, within a few screenfuls, while the item side stays. Main thread only.
class LibraryGridSource : public platform::GridViewDataSource, public platform::GridViewDelegate {
public:
    static constexpr const char* reuseIdentifier = "LibraryCell";
    // The thumbnails kept, in bytes: at 3 pixels a point a screenful is about 11 MB.
    static constexpr qsizetype cacheBytes = 24 * 1024 * 1024;

    explicit LibraryGridSource(std::function<void(const cellarium::ClassicPattern&)> choose);

    // Registers the library's cell with the grid; once, before the grid shows this source.
    static void registerCell(platform::GridView& grid);

    // The thumbnail of a pattern, `side` points square at `scale` pixels a point.
    static QImage thumbnail(const cellarium::ClassicPattern& pattern, double side, double scale);

    int numberOfItems(platform::GridView& grid) override;
    platform::GridViewCell* cellForItem(platform::GridView& grid, int item) override;
    QSizeF sizeForItem(platform::GridView& grid, int item) override;
    void didSelectItem(platform::GridView& grid, int item) override;

private:
    std::function<void(const cellarium::ClassicPattern&)> choose_;
    QCache<int, QImage> thumbnails_{cacheBytes};  // by item, for thumbnailSide_
    double thumbnailSide_ = 0;
    double thumbnailScale_ = 0;
};
