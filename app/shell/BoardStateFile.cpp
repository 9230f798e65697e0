#include "shell/BoardStateFile.h"

#include "model/BoardStateCoding.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cstdio>
#include <new>

namespace {

// The first free name beside `filePath`, named as the defaults name their damaged file.
QString freeSetAsidePath(const QString& filePath)
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

}  // namespace

BoardStateFile::BoardStateFile(QString filePath)
    : filePath_(std::move(filePath))
{
}

QString BoardStateFile::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/board-state.json");
}

std::optional<cellarium::BoardState> BoardStateFile::read()
{
    QFile file(filePath_);
    if (!file.exists())
        return std::nullopt;
    if (!file.open(QIODevice::ReadOnly)) {
        setAside(file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    const bool readWhole = file.error() == QFileDevice::NoError;
    file.close();
    std::optional<cellarium::BoardState> state;
    try {
        if (readWhole)
            state = cellarium::decodeBoardState(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    } catch (const std::bad_alloc&) {
        // Too large to hold is as good as damaged: the app starts without it.
    }
    if (!state)
        setAside(QStringLiteral("not a board state"));
    return state;
}

void BoardStateFile::setAside(const QString& why)
{
    setAsidePath_ = freeSetAsidePath(filePath_);
    if (QFile::rename(filePath_, setAsidePath_)) {
        std::fprintf(stderr, "cellarium: the kept board at %s could not be read (%s); moved to %s\n",
                     qPrintable(filePath_), qPrintable(why), qPrintable(setAsidePath_));
    } else {
        std::fprintf(stderr, "cellarium: the kept board at %s could not be read (%s) nor moved aside\n",
                     qPrintable(filePath_), qPrintable(why));
        setAsidePath_.clear();
    }
}

bool BoardStateFile::write(const cellarium::BoardState& state, QString& error) const
{
    const QFileInfo info(filePath_);
    if (!QDir().mkpath(info.absolutePath())) {
        error = QStringLiteral("cannot create the folder %1").arg(info.absolutePath());
        return false;
    }
    const std::string bytes = cellarium::encodeBoardState(state);
    QSaveFile file(filePath_);
    if (!file.open(QIODevice::WriteOnly)) {
        error = QStringLiteral("cannot write %1: %2").arg(filePath_, file.errorString());
        return false;
    }
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()) || !file.commit()) {
        error = QStringLiteral("cannot write %1: %2").arg(filePath_, file.errorString());
        return false;
    }
    return true;
}
