#include "platform/Bundle.h"

#include <gtest/gtest.h>

using platform::Bundle;

TEST(Bundle, BuildValuesComeFromTheProject)
{
    const Bundle bundle = Bundle::fromBuild();
    EXPECT_EQ(bundle.infoValue(QStringLiteral("CFBundleName")).toString(), QStringLiteral(EXPECTED_BUNDLE_NAME));
    EXPECT_EQ(bundle.infoValue(QStringLiteral("CFBundleDisplayName")).toString(), QStringLiteral(EXPECTED_BUNDLE_NAME));
    EXPECT_EQ(bundle.infoValue(QStringLiteral("CFBundleShortVersionString")).toString(), QStringLiteral(EXPECTED_VERSION));
    EXPECT_FALSE(bundle.infoValue(QStringLiteral("CFBundleVersion")).toString().isEmpty());
}

TEST(Bundle, MissingKeyIsInvalid)
{
    const Bundle bundle({{QStringLiteral("CFBundleName"), QStringLiteral("Cellarium")}});
    EXPECT_FALSE(bundle.infoValue(QStringLiteral("CFBundleDisplayName")).isValid());
}

TEST(Bundle, MainBundleCanBeReplacedAndRestored)
{
    {
        platform::ServicesInPlace own(
            platform::Services().with(std::make_unique<Bundle>(QVariantMap{{QStringLiteral("CFBundleVersion"), 7}})));
        EXPECT_EQ(platform::services().mainBundle().infoValue(QStringLiteral("CFBundleVersion")).toInt(), 7);
    }
    EXPECT_EQ(platform::services().mainBundle().infoValue(QStringLiteral("CFBundleShortVersionString")).toString(),
              QStringLiteral(EXPECTED_VERSION));
}
