#include "store/StoreChangeWatcher.h"

#include <QFileInfo>

namespace cellarium {

StoreChangeWatcher::StoreChangeWatcher(const std::filesystem::path& file, QObject* parent)
    : QObject(parent),
      file_(QString::fromStdString(file.string())),
      walFile_(file_ + QStringLiteral("-wal")),
      watcher_(this),
      settle_(this),
      poll_(this)
{
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMilliseconds);
    connect(&settle_, &QTimer::timeout, this, &StoreChangeWatcher::mayHaveChanged);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &StoreChangeWatcher::noticed);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &StoreChangeWatcher::noticed);

    const QString folder = QString::fromStdString(file.parent_path().empty() ? "." : file.parent_path().string());
    watchFiles();
    if (!watcher_.addPath(folder) && !watcher_.directories().contains(folder)) {
        poll_.setInterval(kPollMilliseconds);
        connect(&poll_, &QTimer::timeout, this, &StoreChangeWatcher::mayHaveChanged);
        poll_.start();
    }
}

void StoreChangeWatcher::noticed()
{
    // The WAL file comes and goes with the last connection to the archive; a new one
    // shows up as a change of the folder.
    watchFiles();
    if (!settle_.isActive())
        settle_.start();
}

void StoreChangeWatcher::watchFiles()
{
    const QStringList watched = watcher_.files();
    for (const QString& path : {file_, walFile_}) {
        if (!watched.contains(path) && QFileInfo::exists(path))
            watcher_.addPath(path);
    }
}

}  // namespace cellarium
