#pragma once

#include "platform/PlatformExport.h"

#include <QString>

namespace platform {

// The application's reverse-DNS id, set once in CMake (CELLARIUM_APP_ID): the desktop
// entry is "<id>.desktop" (QGuiApplication::desktopFileName), the AppStream metainfo is
// "<id>.metainfo.xml", and the icons in the hicolor theme are named "<id>" (standard)
// and "<id>.<alternate name>".
PLATFORM_EXPORT QString applicationId();

// The icon theme name of the alternate icon `alternateName` ("OtherAppIcon").
PLATFORM_EXPORT QString alternateIconThemeName(const QString& alternateName);

} // namespace platform
