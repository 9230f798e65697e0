#include "MailHandlerLookup.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QSet>

namespace platform {

namespace {

// The desktop entries named for `type` in one list file, by group: "[Removed
// Associations]" takes them away; every other group offers them.
void readAssociations(const QString& type, const QString& path, QStringList& offered, QSet<QString>& removed)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    bool removing = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            removing = line == QLatin1String("[Removed Associations]");
            continue;
        }
        if (!line.startsWith(type + QLatin1Char('=')))
            continue;
        const QStringList ids = line.mid(type.size() + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (const QString& id : ids) {
            if (removing)
                removed.insert(id.trimmed());
            else
                offered.append(id.trimmed());
        }
    }
}

bool declaresType(const QString& type, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1String("MimeType="))
            && line.mid(9).split(QLatin1Char(';'), Qt::SkipEmptyParts).contains(type))
            return true;
    }
    return false;
}

} // namespace

bool hasSchemeHandler(const QString& scheme, const QStringList& applicationFolders, const QStringList& configFolders)
{
    const QString type = QStringLiteral("x-scheme-handler/") + scheme;
    QStringList offered;
    QSet<QString> removed;
    for (const QString& folder : configFolders)
        readAssociations(type, QDir(folder).filePath(QStringLiteral("mimeapps.list")), offered, removed);
    // Desktop file ids: the path below the applications folder, '/' as '-'.
    QSet<QString> installed;
    for (const QString& folder : applicationFolders) {
        readAssociations(type, QDir(folder).filePath(QStringLiteral("mimeapps.list")), offered, removed);
        readAssociations(type, QDir(folder).filePath(QStringLiteral("mimeinfo.cache")), offered, removed);
        QDirIterator entries(folder, {QStringLiteral("*.desktop")}, QDir::Files, QDirIterator::Subdirectories);
        while (entries.hasNext()) {
            const QString path = entries.next();
            const QString id = QDir(folder).relativeFilePath(path).replace(QLatin1Char('/'), QLatin1Char('-'));
            installed.insert(id);
            if (declaresType(type, path))
                offered.append(id);
        }
    }
    for (const QString& id : offered) {
        if (installed.contains(id) && !removed.contains(id))
            return true;
    }
    return false;
}

} // namespace platform
