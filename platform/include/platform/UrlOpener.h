#pragma once

#include "platform/PlatformExport.h"

#include <QUrl>

#include <memory>

namespace platform {

// Hands an address to the desktop (browser, mail client, store).
class PLATFORM_EXPORT UrlOpener {
public:
    virtual ~UrlOpener();
    // QDesktopServices::openUrl; false when nothing could open it.
    virtual bool openUrl(const QUrl& url);
};

PLATFORM_EXPORT UrlOpener& urlOpener();
// Replaces it (tests); nullptr restores the default.
PLATFORM_EXPORT void setUrlOpener(std::unique_ptr<UrlOpener> opener);

} // namespace platform
