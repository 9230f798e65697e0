#pragma once

#include "platform/PlatformExport.h"

namespace platform {

class GridView;
class GridViewCell;

// What a GridView shows: one section of items, 0 to count - 1.
class PLATFORM_EXPORT GridViewDataSource {
public:
    virtual ~GridViewDataSource();

    virtual int numberOfItems(GridView& grid) = 0;
    // A cell from grid.dequeueReusableCell, set up to show `item`.
    virtual GridViewCell* cellForItem(GridView& grid, int item) = 0;
};

} // namespace platform
