#include "platform/Bundle.h"

#include "ProcessWide.h"

namespace platform {

Bundle::Bundle(QVariantMap info) : info_(std::move(info)) {}

QVariant Bundle::infoValue(const QString& key) const
{
    return info_.value(key);
}

Bundle Bundle::fromBuild()
{
    return Bundle({
        {QStringLiteral("CFBundleDisplayName"), QStringLiteral(CELLARIUM_BUNDLE_NAME)},
        {QStringLiteral("CFBundleName"), QStringLiteral(CELLARIUM_BUNDLE_NAME)},
        {QStringLiteral("CFBundleShortVersionString"), QStringLiteral(CELLARIUM_BUNDLE_VERSION)},
        {QStringLiteral("CFBundleVersion"), QStringLiteral(CELLARIUM_BUILD_NUMBER)},
    });
}

namespace {
cellarium::ProcessWide<Bundle> slot([] { return std::make_unique<Bundle>(Bundle::fromBuild()); });
}

Bundle& mainBundle()
{
    return slot.get();
}

void setMainBundle(std::unique_ptr<Bundle> bundle)
{
    slot.replace(std::move(bundle));
}

} // namespace platform
