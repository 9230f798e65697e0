#include "MailHandlerLookup.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace platform {

namespace {

const QLatin1String mailtoType("x-scheme-handler/mailto");

bool fileHasLine(const QString& path, const QLatin1String& prefix, const QLatin1String& needle)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (!line.startsWith(prefix))
            continue;
        const QStringList types = line.mid(prefix.size()).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        if (types.contains(needle))
            return true;
    }
    return false;
}

bool listNamesHandler(const QString& path)
{
    // mimeapps.list: "x-scheme-handler/mailto=app.desktop;" under a group.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(mailtoType + QLatin1Char('=')) && line.size() > mailtoType.size() + 1)
            return true;
    }
    return false;
}

} // namespace

bool hasMailHandler(const QStringList& applicationFolders, const QStringList& configFolders)
{
    for (const QString& folder : configFolders) {
        if (listNamesHandler(QDir(folder).filePath(QStringLiteral("mimeapps.list"))))
            return true;
    }
    for (const QString& folder : applicationFolders) {
        if (listNamesHandler(QDir(folder).filePath(QStringLiteral("mimeapps.list")))
            || listNamesHandler(QDir(folder).filePath(QStringLiteral("mimeinfo.cache"))))
            return true;
        QDirIterator entries(folder, {QStringLiteral("*.desktop")}, QDir::Files, QDirIterator::Subdirectories);
        while (entries.hasNext()) {
            if (fileHasLine(entries.next(), QLatin1String("MimeType="), mailtoType))
                return true;
        }
    }
    return false;
}

} // namespace platform
