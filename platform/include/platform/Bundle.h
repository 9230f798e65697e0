#pragma once

#include "platform/PlatformExport.h"
#include "platform/Services.h"

#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <memory>

namespace platform {

// The host application's bundle information, read under the keys
// "CFBundleDisplayName", "CFBundleName", "CFBundleShortVersionString" and
// "CFBundleVersion".
class PLATFORM_EXPORT Bundle {
public:
    explicit Bundle(QVariantMap info);

    // Invalid QVariant when the key is missing.
    QVariant infoValue(const QString& key) const;
    QVariantMap infoDictionary() const { return info_; }

    // The values compiled in from the build: the CMake project's name (display
    // name and name), its version, and the build number.
    static Bundle fromBuild();

private:
    QVariantMap info_;
};

// The set in place has one: platform::services().mainBundle().

} // namespace platform
