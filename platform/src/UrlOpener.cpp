#include "platform/UrlOpener.h"

#include "ProcessWide.h"

#include <QDesktopServices>

namespace platform {

UrlOpener::~UrlOpener() = default;

bool UrlOpener::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

namespace {
cellarium::ProcessWide<UrlOpener> slot;
}

UrlOpener& urlOpener()
{
    return slot.get();
}

void setUrlOpener(std::unique_ptr<UrlOpener> opener)
{
    slot.replace(std::move(opener));
}

} // namespace platform
