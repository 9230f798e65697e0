#include "platform/PicturesFolder.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {

namespace {
std::optional<QString>& overrideFolder()
{
    static std::optional<QString> folder;
    return folder;
}
} // namespace

QString picturesFolder()
{
    if (overrideFolder())
        return *overrideFolder();
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return pictures.isEmpty() ? QDir::homePath() : pictures;
}

void setPicturesFolder(std::optional<QString> folder)
{
    overrideFolder() = std::move(folder);
}

} // namespace platform
