#pragma once

#include "platform/PlatformExport.h"
#include "platform/Services.h"

#include <QString>

namespace platform {

// The user's Pictures folder, where shared pictures are saved and the photo picker
// opens: QStandardPaths' pictures location, or the home folder where there is none,
// unless made for another path (tests). The set in place has one:
// platform::services().picturesFolder(). Main thread only.
class PLATFORM_EXPORT PicturesFolder {
public:
    PicturesFolder() = default;
    explicit PicturesFolder(QString path) : path_(std::move(path)) {}

    QString path() const;

private:
    QString path_;  // empty: the user's
};

} // namespace platform
