#include "shell/ScreenRegistry.h"

#include "browser/ArchiveViewController.h"
#include "options/AppImages.h"
#include "options/MoreViewController.h"
#include "qr/QRCodeViewController.h"
#include "qr/ScanQRCodeViewController.h"

#include "platform/AlternateIcons.h"
#include "platform/ApplicationId.h"

#include <QIcon>
#include <QPixmap>

void registerScreens(const ScreenDependencies& dependencies)
{
    cellarium::CoreLifeManager& archive = dependencies.archive;
    platform::ViewController::registerSegue(QStringLiteral("ShowMore"), [&archive, work = dependencies.delayedWork] {
        return new MoreViewController(archive, work);
    });
    platform::ViewController::registerSegue(QStringLiteral("QRCode"), [] { return new QRCodeViewController; });
    platform::ViewController::registerSegue(QStringLiteral("ScanQRCode"), [] { return new ScanQRCodeViewController; });
    platform::ViewController::registerSegue(QString::fromLatin1(ArchiveViewController::segueIdentifier),
                                            [&archive, pool = dependencies.thumbnailPool] {
                                                return new ArchiveViewController(archive, pool);
                                            });
    platform::AlternateIcons& icons = platform::services().alternateIcons();
    icons.setStandardIcon(platform::applicationId(), QIcon(QPixmap::fromImage(standardAppIcon())));
    const QString other = QString::fromLatin1(MoreViewController::otherAppIconName);
    icons.addAlternateIcon(other, platform::alternateIconThemeName(other), QIcon(QPixmap::fromImage(otherAppIcon())));
}
