#pragma once

#include "platform/PlatformExport.h"

#include <QSizeF>

namespace platform {

class GridView;

// How a GridView lays out its items and what selecting one does.
class PLATFORM_EXPORT GridViewDelegate {
public:
    virtual ~GridViewDelegate();

    // The item's size in points; items flow left to right and wrap into rows.
    virtual QSizeF sizeForItem(GridView& grid, int item);
    // The user selected `item` by touch, mouse, keyboard or accessibility action.
    virtual void didSelectItem(GridView& grid, int item);
};

} // namespace platform
