#include "platform/SharedCopies.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

namespace {

// cellarium-shared in the runtime folder, made (with `make`) or narrowed to mode 0700;
// empty when the runtime folder is not set, or the entry there is not a plain folder of ours.
QString runtimeFolder(bool make)
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (runtime.isEmpty() || !QFileInfo(QFile::decodeName(runtime)).isDir())
        return {};
    const QByteArray path = runtime + "/cellarium-shared";
    // mkdir and lstat, not mkpath: an existing entry is checked, never followed.
    if (make && ::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return {};
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
        return {};
    if ((info.st_mode & 07777) != 0700 && ::chmod(path.constData(), 0700) != 0)
        return {};
    return QFile::decodeName(path);
}

} // namespace

SharedCopies::SharedCopies()
{
    folder_ = runtimeFolder(true);
    if (!folder_.isEmpty())
        return;
    // QTemporaryDir makes its folder with mode 0700.
    temporary_ = std::make_unique<QTemporaryDir>(QDir(QDir::tempPath()).filePath(QStringLiteral("cellarium-shared-XXXXXX")));
    if (temporary_->isValid())
        folder_ = temporary_->path();
}

void SharedCopies::removeCopiesOlderThan(const QDateTime& oldest)
{
    const QString folder = runtimeFolder(false);
    if (folder.isEmpty())
        return;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries) {
        if (entry.lastModified() < oldest)
            QFile::remove(entry.absoluteFilePath());
    }
}

SharedCopies::~SharedCopies()
{
    if (temporary_)
        return;  // QTemporaryDir removes the folder with everything in it
    for (const QString& copy : copies_)
        QFile::remove(copy);
}

void SharedCopies::kept(const QString& path)
{
    copies_.append(path);
}

} // namespace platform
