#include "platform/Bundle.h"

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

} // namespace platform
