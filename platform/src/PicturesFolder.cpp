#include "platform/PicturesFolder.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {

QString PicturesFolder::path() const
{
    if (!path_.isEmpty())
        return path_;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return pictures.isEmpty() ? QDir::homePath() : pictures;
}

} // namespace platform
