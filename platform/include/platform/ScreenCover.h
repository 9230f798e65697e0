#pragma once

#include "platform/PlatformExport.h"

#include <QPointer>
#include <QWidget>

#include <vector>

namespace platform {

// Takes what lies under a cover (a sheet's backdrop, the first-run guide) out of
// reach while the cover is up: the covered widgets are disabled, so that neither
// Tab nor a key nor an action through the accessibility tree (which a disabled
// control refuses) reaches them, and they are given back as they were when the
// cover goes. Only what the cover disabled is enabled again; a widget disabled
// by its own screen stays so.
//
// Main thread only.
class PLATFORM_EXPORT ScreenCover {
public:
    ScreenCover() = default;
    ScreenCover(const ScreenCover&) = delete;
    ScreenCover& operator=(const ScreenCover&) = delete;
    ~ScreenCover() { uncover(); }

    // Covers the enabled siblings of `cover` inside its window (the window's other
    // screens and covers), leaving `cover` itself and separate windows alone.
    void coverSiblingsOf(const QWidget& cover);
    // Gives back what coverSiblingsOf took; nothing when nothing is covered.
    void uncover();

private:
    std::vector<QPointer<QWidget>> covered_;
};

} // namespace platform
