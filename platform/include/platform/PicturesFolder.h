#pragma once

#include "platform/PlatformExport.h"

#include <QString>

#include <optional>

namespace platform {

// The user's Pictures folder (QStandardPaths' pictures location, or the home
// folder where there is none), where shared pictures are saved and the photo
// picker opens. Main thread only.
PLATFORM_EXPORT QString picturesFolder();
// Replaces it (tests); std::nullopt restores the default.
PLATFORM_EXPORT void setPicturesFolder(std::optional<QString> folder);

} // namespace platform
