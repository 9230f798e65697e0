#pragma once

#include "platform/PlatformExport.h"
#include "platform/Services.h"

#include <QIcon>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace platform {

// The application's icon and its alternates. The icon in use is the window
// icon of the application and the Icon= line of the user's desktop entry for
// the application ($XDG_DATA_HOME/applications/<desktop file name>.desktop, the
// application id of platform/ApplicationId.h unless Qt is given another),
// which is rewritten atomically. Where it is missing it is made as a copy of the
// installed entry (the first of that name in $XDG_DATA_DIRS/applications), which
// it hides from then on, or where none is installed, as a new entry that starts
// this program. The icon files are
// installed into the user's icon theme folder ($XDG_DATA_HOME/icons/hicolor)
// so that the entry can name them. Alternate icons are supported only where
// that entry can be written. Main thread only.
class PLATFORM_EXPORT AlternateIcons {
public:
    virtual ~AlternateIcons();

    // The icons the application comes with: the standard one (no name) and the
    // alternates by name. `themeName` is the file name the desktop entry uses.
    void setStandardIcon(const QString& themeName, const QIcon& icon);
    void addAlternateIcon(const QString& name, const QString& themeName, const QIcon& icon);

    virtual bool supportsAlternateIcons() const;

    // Switches to the alternate icon `name`, or to the standard icon for
    // std::nullopt. `completion` gets std::nullopt on success, or the reason
    // for a failure; it runs before this returns. The icon in use is not
    // changed when the change fails.
    virtual void setAlternateIconName(const std::optional<QString>& name,
                                      const std::function<void(std::optional<QString> error)>& completion);

    // Takes up the choice of an earlier run, whose entry already names its icon:
    // the windows show icon `name` (std::nullopt: the standard one), and
    // alternateIconName() answers it. Writes nothing; an unknown name changes nothing.
    void restoreAlternateIconName(const std::optional<QString>& name);

    // The name last set successfully; std::nullopt for the standard icon.
    std::optional<QString> alternateIconName() const { return current_; }

    // The desktop entry's path; empty when no data folder is known.
    QString desktopEntryPath() const;
    QString iconFolder() const;

    // The Exec= value that starts `program` whatever characters its path holds:
    // quoted and escaped by the rules of freedesktop.org's desktop entry format.
    static QString desktopEntryExec(const QString& program);

private:
    struct Icon {
        QString themeName;
        QIcon icon;
    };

    std::optional<QString> apply(const Icon& icon) const;
    static void showInWindows(const QIcon& icon);

    std::optional<Icon> standard_;
    std::map<QString, Icon> alternates_;
    std::optional<QString> current_;
};

// The set in place has one: platform::services().alternateIcons().

} // namespace platform
