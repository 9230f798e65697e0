#include "platform/MainScreen.h"

#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

using platform::MainScreen;

TEST(MainScreen, DesktopWithoutTouchScreenIsPhoneSized)
{
    // The offscreen platform has no touch screen.
    EXPECT_EQ(MainScreen().size(), QSizeF(390, 844));
}

TEST(MainScreen, MonitorOfRatioOneCountsAsScaleThree)
{
    ASSERT_EQ(QGuiApplication::primaryScreen()->devicePixelRatio(), 1.0);
    EXPECT_EQ(MainScreen().scale(), 3.0);
}

TEST(MainScreen, OverridesWinAndCanBeRemoved)
{
    MainScreen screen;
    screen.setSizeOverride(QSizeF(375, 667));
    screen.setScaleOverride(2.0);
    EXPECT_EQ(screen.size(), QSizeF(375, 667));
    EXPECT_EQ(screen.scale(), 2.0);
    screen.setSizeOverride(std::nullopt);
    screen.setScaleOverride(std::nullopt);
    EXPECT_EQ(screen.size(), QSizeF(390, 844));
    EXPECT_EQ(screen.scale(), 3.0);
}

TEST(MainScreen, ServiceReadsOverridesAfreshOnEveryCall)
{
    {
        platform::ServicesInPlace own;
        platform::services().mainScreen().setSizeOverride(QSizeF(100, 200));
        EXPECT_EQ(platform::services().mainScreen().size(), QSizeF(100, 200));
        platform::services().mainScreen().setSizeOverride(QSizeF(300, 400));
        EXPECT_EQ(platform::services().mainScreen().size(), QSizeF(300, 400));
    }
    EXPECT_EQ(platform::services().mainScreen().size(), QSizeF(390, 844));
}
