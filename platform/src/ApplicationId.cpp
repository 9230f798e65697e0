#include "platform/ApplicationId.h"

namespace platform {

QString applicationId()
{
    return QStringLiteral(CELLARIUM_APP_ID);
}

QString alternateIconThemeName(const QString& alternateName)
{
    return applicationId() + u'.' + alternateName;
}

} // namespace platform
