#pragma once

#include "platform/PlatformExport.h"
#include "platform/Services.h"

#include <QSizeF>

#include <memory>
#include <optional>

namespace platform {

// The main screen's bounds (in points, Qt's device-independent pixels) and
// scale (pixels per point). Read afresh on every call; callers that want a
// value fixed for the run cache it themselves.
class PLATFORM_EXPORT MainScreen {
public:
    virtual ~MainScreen();

    // The size override if set; otherwise the primary screen's available size
    // on a touch device, else the phone-sized 390 x 844.
    virtual QSizeF size() const;
    // The scale override if set; otherwise the primary screen's device pixel
    // ratio, or 3 where that ratio is 1 (so that a monitor shows cells as a
    // phone does).
    virtual qreal scale() const;

    // From "--screen WxH" and "--scale S"; std::nullopt removes the override.
    void setSizeOverride(std::optional<QSizeF> size) { sizeOverride_ = size; }
    void setScaleOverride(std::optional<qreal> scale) { scaleOverride_ = scale; }

    static constexpr QSizeF desktopSize{390, 844};

private:
    std::optional<QSizeF> sizeOverride_;
    std::optional<qreal> scaleOverride_;
};

// The set in place has one: platform::services().mainScreen().

} // namespace platform
