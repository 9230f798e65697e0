#include "platform/Storefront.h"

#include <QLocale>

#include <gtest/gtest.h>

using platform::Storefront;

TEST(Storefront, LocaleCountryBecomesAlpha3)
{
    EXPECT_EQ(Storefront::countryCodeOfLocale(QStringLiteral("zh_CN")), QStringLiteral("CHN"));
    EXPECT_EQ(Storefront::countryCodeOfLocale(QStringLiteral("en_US.UTF-8")), QStringLiteral("USA"));
    EXPECT_EQ(Storefront::countryCodeOfLocale(QStringLiteral("de-AT")), QStringLiteral("AUT"));
    EXPECT_EQ(Storefront::countryCodeOfLocale(QStringLiteral("sr_Latn_RS")), QStringLiteral("SRB"));
}

TEST(Storefront, LocaleWithoutCountryHasNoStorefront)
{
    EXPECT_EQ(Storefront::countryCodeOfLocale(QStringLiteral("en")), std::nullopt);
    EXPECT_EQ(Storefront::countryCodeOfLocale(QStringLiteral("C")), std::nullopt);
    EXPECT_EQ(Storefront::countryCodeOfLocale(QString()), std::nullopt);
    EXPECT_EQ(Storefront::countryCodeOfLocale(QStringLiteral("es_419")), std::nullopt); // a region, not a country
}

TEST(Storefront, OverrideAcceptsAlpha2Alpha3AndAnyCase)
{
    Storefront storefront;
    storefront.setOverride(QStringLiteral("chn"));
    EXPECT_EQ(storefront.countryCode(), QStringLiteral("CHN"));
    storefront.setOverride(QStringLiteral("US"));
    EXPECT_EQ(storefront.countryCode(), QStringLiteral("USA"));
}

TEST(Storefront, EmptyUnknownOrAbsentOverrideMeansNoStorefront)
{
    Storefront storefront;
    storefront.setOverride(QString());
    EXPECT_EQ(storefront.countryCode(), std::nullopt);
    storefront.setOverride(QStringLiteral("XX"));
    EXPECT_EQ(storefront.countryCode(), std::nullopt);
    storefront.setOverride(std::nullopt);
    EXPECT_EQ(storefront.countryCode(), std::nullopt);
}

TEST(Storefront, ClearedOverrideFallsBackToTheLocale)
{
    Storefront storefront;
    storefront.setOverride(std::nullopt);
    storefront.clearOverride();
    EXPECT_EQ(storefront.countryCode(), Storefront::countryCodeOfLocale(QLocale::system().name()));
}
