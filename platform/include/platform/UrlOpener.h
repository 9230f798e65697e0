#pragma once

#include "platform/PlatformExport.h"
#include "platform/Services.h"

#include <QUrl>

#include <memory>

namespace platform {

// Hands an address to the desktop (browser, mail client, store).
class PLATFORM_EXPORT UrlOpener {
public:
    virtual ~UrlOpener();
    // QDesktopServices::openUrl where hasProgramFor(url); false when nothing
    // could open it.
    virtual bool openUrl(const QUrl& url);

    // Whether the desktop has a program for a web or mail address (any other
    // address: true). Qt hands such addresses to xdg-open where there is one
    // and counts that as opened, even when xdg-open then finds no browser or
    // mail client; so the desktop entries, $BROWSER and Debian's browser
    // alternatives are asked first. Under Flatpak or Snap the portal decides.
    static bool hasProgramFor(const QUrl& url);
};

// The set in place has one: platform::services().urlOpener().

} // namespace platform
