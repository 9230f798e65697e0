#pragma once

#include "platform/PlatformExport.h"
#include "platform/Services.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace platform {

// The photo picker: a file dialog over `parent`'s window at services().picturesFolder(),
// offering only images Qt can read. `done` runs once, after the dialog has
// closed, with the picked file, or std::nullopt when the user cancelled.
// The platform's native dialog where it has one (the desktop's file chooser
// portal under Flatpak or Snap or with Qt's xdgdesktopportal theme); else Qt's
// own dialog, no larger than `parent`'s window and centred over it.
// Main thread only.
class PLATFORM_EXPORT PhotoPicker {
public:
    virtual ~PhotoPicker();
    virtual void pickImage(QWidget* parent, std::function<void(std::optional<QString> path)> done);
};

// The set in place has one: platform::services().photoPicker().

} // namespace platform
