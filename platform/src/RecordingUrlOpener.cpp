#include "platform/RecordingUrlOpener.h"

namespace platform {

bool RecordingUrlOpener::openUrl(const QUrl& url)
{
    opened_.append(url);
    return result_;
}

} // namespace platform
