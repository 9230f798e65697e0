#pragma once

#include "platform/UrlOpener.h"

#include <QList>

namespace testsupport {

// A UrlOpener that keeps every address it is asked to open and opens none;
// answers `result`.
class RecordingUrlOpener : public platform::UrlOpener {
public:
    explicit RecordingUrlOpener(bool result = true) : result_(result) {}

    bool openUrl(const QUrl& url) override
    {
        opened_.append(url);
        return result_;
    }
    QList<QUrl> openedUrls() const { return opened_; }

private:
    bool result_;
    QList<QUrl> opened_;
};

}  // namespace testsupport
