#include "shell/CellariumApplication.h"
#include "shell/ScreenRegistry.h"
#include "store/CoreLifeManager.h"

#include "platform/AlternateIcons.h"
#include "platform/ApplicationId.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString iconLine(const QByteArray& entry)
{
    for (const QByteArray& line : entry.split('\n')) {
        if (line.startsWith("Icon="))
            return QString::fromUtf8(line.mid(5));
    }
    return {};
}

}  // namespace

// The app as named at start, with the icons it registers, against the tree that
// `cmake --install` made: switching icons finds the installed desktop entry by the
// app's own name, and every icon the user's entry then names is in the installed theme.
TEST(InstalledIcons, TheAlternateIconsEntryNamesIconsThatAreInstalled)
{
    QTemporaryDir home;
    const QString share = QStringLiteral(INSTALL_PREFIX "/share");
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath("data").toLocal8Bit());
    qputenv("XDG_DATA_DIRS", share.toLocal8Bit());
    nameApplication();
    static cellarium::CoreLifeManager archive;  // never opened here
    registerScreens({.archive = archive});
    platform::AlternateIcons& icons = platform::services().alternateIcons();

    const QString installedPath = share + "/applications/" + platform::applicationId() + ".desktop";
    const QByteArray installed = readAll(installedPath);
    ASSERT_FALSE(installed.isEmpty()) << "nothing installed at " << installedPath.toStdString();
    EXPECT_EQ(QFileInfo(icons.desktopEntryPath()).fileName(), QFileInfo(installedPath).fileName());
    ASSERT_TRUE(icons.supportsAlternateIcons());

    for (const std::optional<QString>& choice : {std::optional<QString>("OtherAppIcon"), std::optional<QString>()}) {
        SCOPED_TRACE(choice.value_or("standard").toStdString());
        std::optional<QString> error = QStringLiteral("no completion");
        icons.setAlternateIconName(choice, [&error](std::optional<QString> e) { error = e; });
        ASSERT_EQ(error, std::nullopt) << error->toStdString();

        const QByteArray entry = readAll(icons.desktopEntryPath());
        const QString icon = iconLine(entry);
        // A copy of the installed entry with only Icon= changed.
        QByteArray expected = installed;
        expected.replace("\nIcon=" + iconLine(installed).toUtf8() + '\n', "\nIcon=" + icon.toUtf8() + '\n');
        EXPECT_EQ(entry, expected);
        if (!choice) {
            EXPECT_EQ(entry, installed);
        }
        for (const int size : {16, 32, 48, 64, 128, 256, 512}) {
            const QImage image(QStringLiteral("%1/icons/hicolor/%2x%2/apps/%3.png").arg(share).arg(size).arg(icon));
            EXPECT_EQ(image.size(), QSize(size, size)) << icon.toStdString() << " at " << size;
        }
        EXPECT_TRUE(QFileInfo::exists(QStringLiteral("%1/icons/hicolor/scalable/apps/%2.svg").arg(share, icon)));
    }
}
