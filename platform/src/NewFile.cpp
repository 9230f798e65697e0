#include "NewFile.h"

#include <QDir>
#include <QFile>
#include <QObject>

namespace platform {

namespace {
constexpr int maxNumberedNames = 1000;
} // namespace

std::optional<QString> writeNewFile(const QString& folder, const QByteArray& bytes,
                                    const std::function<QString(int)>& name, QString& error)
{
    if (!QDir().mkpath(folder)) {
        error = QObject::tr("The folder %1 cannot be made").arg(folder);
        return std::nullopt;
    }
    for (int n = 1; n <= maxNumberedNames; ++n) {
        QFile file(QDir(folder).filePath(name(n)));
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (file.exists())
                continue;
            error = file.errorString();
            return std::nullopt;
        }
        if (file.write(bytes) != bytes.size() || !file.flush()) {
            error = file.errorString();
            file.remove();
            return std::nullopt;
        }
        return file.fileName();
    }
    error = QObject::tr("Too many pictures of this second");
    return std::nullopt;
}

} // namespace platform
