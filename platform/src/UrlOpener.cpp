#include "platform/UrlOpener.h"

#include "ServiceSlot.h"

#include <QDesktopServices>

namespace platform {

UrlOpener::~UrlOpener() = default;

bool UrlOpener::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

namespace {
ServiceSlot<UrlOpener> slot;
}

UrlOpener& urlOpener()
{
    return slot.get();
}

void setUrlOpener(std::unique_ptr<UrlOpener> opener)
{
    slot.set(std::move(opener));
}

} // namespace platform
