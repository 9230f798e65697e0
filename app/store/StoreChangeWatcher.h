#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <filesystem>

namespace cellarium {

// Tells when another process may have changed the archive file: its folder, the file
// or its WAL side file changed on disk. Bursts of changes give one signal. Falls back
// to a signal every second where the files cannot be watched. Needs an event loop on
// its thread.
class StoreChangeWatcher : public QObject {
    Q_OBJECT

public:
    explicit StoreChangeWatcher(const std::filesystem::path& file, QObject* parent = nullptr);

    static constexpr int kSettleMilliseconds = 50;
    static constexpr int kPollMilliseconds = 1000;

signals:
    void mayHaveChanged();

private:
    void noticed();
    void watchFiles();

    QString file_;
    QString walFile_;
    QFileSystemWatcher watcher_;
    QTimer settle_;
    QTimer poll_;
};

}  // namespace cellarium
