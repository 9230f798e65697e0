#include "platform/UserDefaults.h"

#include "ProcessWide.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QMutexLocker>
#include <QSaveFile>
#include <QStandardPaths>

namespace platform {

namespace {

// File layout: {"format": 1, "values": {"<key>": {"type": "<tag>", "value": <json>}}}
constexpr int formatVersion = 1;

QString typeTag(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return QStringLiteral("bool");
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return QStringLiteral("integer");
    case QMetaType::Double:
    case QMetaType::Float:
        return QStringLiteral("double");
    case QMetaType::QString:
        return QStringLiteral("string");
    case QMetaType::QByteArray:
        return QStringLiteral("data");
    case QMetaType::QDateTime:
        return QStringLiteral("date");
    default:
        return {};
    }
}

QJsonValue encode(const QString& tag, const QVariant& value)
{
    if (tag == QLatin1String("bool"))
        return value.toBool();
    if (tag == QLatin1String("integer"))
        return QString::number(value.toLongLong()); // as text: JSON numbers lose 64-bit precision
    if (tag == QLatin1String("double"))
        return value.toDouble();
    if (tag == QLatin1String("string"))
        return value.toString();
    if (tag == QLatin1String("data"))
        return QString::fromLatin1(value.toByteArray().toBase64());
    if (tag == QLatin1String("date"))
        return value.toDateTime().toUTC().toString(Qt::ISODateWithMs);
    return {};
}

// An invalid QVariant when the tag is unknown or the value does not fit it.
QVariant decode(const QString& tag, const QJsonValue& json)
{
    if (tag == QLatin1String("bool") && json.isBool())
        return json.toBool();
    if (tag == QLatin1String("integer") && json.isString()) {
        bool ok = false;
        const qlonglong number = json.toString().toLongLong(&ok);
        return ok ? QVariant(number) : QVariant();
    }
    if (tag == QLatin1String("double") && json.isDouble())
        return json.toDouble();
    if (tag == QLatin1String("string") && json.isString())
        return json.toString();
    if (tag == QLatin1String("data") && json.isString()) {
        auto result = QByteArray::fromBase64Encoding(json.toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        return result ? QVariant(*result) : QVariant();
    }
    if (tag == QLatin1String("date") && json.isString()) {
        const QDateTime date = QDateTime::fromString(json.toString(), Qt::ISODateWithMs);
        return date.isValid() ? QVariant(date) : QVariant();
    }
    return {};
}

QString freeBackupPath(const QString& filePath)
{
    QString candidate = filePath + QStringLiteral(".corrupt");
    if (!QFileInfo::exists(candidate))
        return candidate;
    const QString stamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    candidate = filePath + QStringLiteral(".corrupt-") + stamp;
    for (int n = 1; QFileInfo::exists(candidate); ++n)
        candidate = filePath + QStringLiteral(".corrupt-") + stamp + QLatin1Char('-') + QString::number(n);
    return candidate;
}

// Why a write into `filePath` failed, in words a user can act on: a read-only
// folder (the file's own or the nearest one that exists) is named as such.
QString writeFailureReason(const QString& filePath, const QString& errorString)
{
    QFileInfo folder(QFileInfo(filePath).absolutePath());
    while (!folder.exists() && !folder.isRoot())
        folder = QFileInfo(folder.absolutePath());
    if (folder.exists() && !folder.isWritable())
        return QStringLiteral("the folder %1 is read-only; settings are kept until the app quits")
            .arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
    return QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(filePath), errorString);
}

} // namespace

UserDefaults::UserDefaults(QString filePath) : filePath_(std::move(filePath))
{
    load();
}

QVariant UserDefaults::value(const QString& key) const
{
    QMutexLocker lock(&mutex_);
    return values_.value(key);
}

bool UserDefaults::setValue(const QString& key, const QVariant& value)
{
    if (typeTag(value).isEmpty()) {
        qWarning().noquote() << "UserDefaults: cannot store a value of type" << value.metaType().name() << "under"
                             << key;
        return false;
    }
    QMutexLocker lock(&mutex_);
    values_.insert(key, value);
    unknownEntries_.remove(key);
    return save();
}

bool UserDefaults::removeValue(const QString& key)
{
    QMutexLocker lock(&mutex_);
    const bool had = values_.remove(key) > 0 || unknownEntries_.contains(key);
    unknownEntries_.remove(key);
    return had ? save() : true;
}

QString UserDefaults::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/user-defaults.json");
}

void UserDefaults::load()
{
    QFile file(filePath_);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        // Unreadable is not corrupt: leave it where it is; writes will report failure.
        qWarning().noquote() << "UserDefaults: cannot read" << filePath_ << ":" << file.errorString();
        unreadable_ = true;
        return;
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    file.close();

    const QJsonObject root = document.object();
    const bool wellFormed = error.error == QJsonParseError::NoError && document.isObject()
                            && root.value(QLatin1String("format")).toInt() == formatVersion
                            && root.value(QLatin1String("values")).isObject();
    if (!wellFormed) {
        // Keep the damaged file for a person to look at rather than overwrite it.
        corruptBackup_ = freeBackupPath(filePath_);
        if (QFile::rename(filePath_, corruptBackup_)) {
            qWarning().noquote() << "UserDefaults: unreadable defaults moved to" << corruptBackup_;
        } else {
            qWarning().noquote() << "UserDefaults: unreadable defaults at" << filePath_ << "could not be moved aside";
            corruptBackup_.clear();
        }
        return;
    }

    const QJsonObject entries = root.value(QLatin1String("values")).toObject();
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        const QJsonObject entry = it.value().toObject();
        const QVariant value = decode(entry.value(QLatin1String("type")).toString(), entry.value(QLatin1String("value")));
        if (value.isValid())
            values_.insert(it.key(), value);
        else
            unknownEntries_.insert(it.key(), it.value());
    }
}

bool UserDefaults::save() const
{
    if (unreadable_) {
        reportWriteFailure(QStringLiteral("not overwriting unreadable %1").arg(filePath_));
        return false;
    }
    QJsonObject entries = unknownEntries_;
    for (auto it = values_.cbegin(); it != values_.cend(); ++it) {
        const QString tag = typeTag(it.value());
        entries.insert(it.key(), QJsonObject{{QStringLiteral("type"), tag}, {QStringLiteral("value"), encode(tag, it.value())}});
    }
    const QJsonObject root{{QStringLiteral("format"), formatVersion}, {QStringLiteral("values"), entries}};

    QDir().mkpath(QFileInfo(filePath_).absolutePath());
    QSaveFile file(filePath_);
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(root).toJson()) < 0 || !file.commit()) {
        reportWriteFailure(writeFailureReason(filePath_, file.errorString()));
        return false;
    }
    reportedFailure_.clear();
    return true;
}

void UserDefaults::reportWriteFailure(const QString& reason) const
{
    // Every change writes the whole file: one cause is said once, not per change.
    if (reason == reportedFailure_)
        return;
    reportedFailure_ = reason;
    qWarning().noquote() << "UserDefaults:" << reason;
}

namespace {
cellarium::ProcessWide<UserDefaults> slot([] { return std::make_unique<UserDefaults>(UserDefaults::defaultFilePath()); });
}

UserDefaults& userDefaults()
{
    return slot.get();
}

void setUserDefaults(std::unique_ptr<UserDefaults> defaults)
{
    slot.replace(std::move(defaults));
}

} // namespace platform
