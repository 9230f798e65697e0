#pragma once

#include "platform/PlatformExport.h"

#include <QJsonObject>
#include <QMap>
#include <QMutex>
#include <QString>
#include <QVariant>

#include <memory>

namespace platform {

// A typed key-value store kept in one JSON file. Each value keeps its type, so
// a caller can tell a stored Boolean (`value(key).typeId() == QMetaType::Bool`)
// from a number or a text. Supported types: bool, integers (read back as
// qlonglong), double, QString, QByteArray, QDateTime.
//
// Every change is written through at once, atomically (a crash leaves either
// the old or the new file). A missing file gives empty defaults. A file that
// cannot be read as defaults is moved aside (to "<file>.corrupt", or with a
// time stamp if that exists) with a warning, and the store starts empty. A
// file that exists but cannot be opened is left alone and not overwritten:
// changes are then kept in memory only and reported as not written. A failed
// write is warned about once per cause (a read-only folder is named as such)
// until a write succeeds again.
// Entries of a type this version does not know are kept and written back.
//
// Thread-safe.
class PLATFORM_EXPORT UserDefaults {
public:
    explicit UserDefaults(QString filePath);

    // Invalid QVariant when absent.
    QVariant value(const QString& key) const;
    // False (and nothing stored) for an unsupported type; false with a
    // warning when the file cannot be written (the value is kept in memory).
    bool setValue(const QString& key, const QVariant& value);
    bool removeValue(const QString& key);

    QString filePath() const { return filePath_; }
    // The path a corrupt file was moved to at load, if one was.
    QString corruptFileBackupPath() const { return corruptBackup_; }

    // "user-defaults.json" in QStandardPaths::AppConfigLocation.
    static QString defaultFilePath();

private:
    void load();
    bool save() const;
    void reportWriteFailure(const QString& reason) const;

    QString filePath_;
    QString corruptBackup_;
    mutable QMutex mutex_;
    QMap<QString, QVariant> values_;
    QJsonObject unknownEntries_;
    bool unreadable_ = false;
    mutable QString reportedFailure_;  // the cause last warned about; empty after a good write
};

// The process-wide defaults, created on first use at defaultFilePath().
PLATFORM_EXPORT UserDefaults& userDefaults();
// Replaces them (tests); nullptr restores the default on next use.
PLATFORM_EXPORT void setUserDefaults(std::unique_ptr<UserDefaults> defaults);

} // namespace platform
