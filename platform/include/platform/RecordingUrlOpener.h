#pragma once

#include "platform/PlatformExport.h"
#include "platform/UrlOpener.h"

#include <QList>

namespace platform {

// A UrlOpener for tests: keeps every address it is asked to open and opens
// none; answers `result`.
class PLATFORM_EXPORT RecordingUrlOpener : public UrlOpener {
public:
    explicit RecordingUrlOpener(bool result = true) : result_(result) {}

    bool openUrl(const QUrl& url) override;
    QList<QUrl> openedUrls() const { return opened_; }

private:
    bool result_;
    QList<QUrl> opened_;
};

} // namespace platform
