#include "platform/MainScreen.h"
#include "platform/SystemSymbol.h"

#include <QGuiApplication>
#include <QPalette>

#include <gtest/gtest.h>

namespace {

int paintedPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    }
    return count;
}

// Every symbol name the app looks up as a system image.
const QStringList usedSymbols{
    "play.fill",         "pause.fill",       "app.fill",           "square.fill",      "square.grid.2x2.fill",
    "hand.draw.fill",    "tortoise.fill",    "hare.fill",          "trash.fill",       "photo.on.rectangle",
    "qrcode",            "qrcode.viewfinder", "tray.and.arrow.down.fill", "tray.full.fill", "envelope.fill",
    "star.fill",         "person.fill",      "shield.checkered",   "app.gift.fill",    "checkmark.square",
    "hourglass",
};

TEST(SystemSymbol, EveryUsedNameDrawsAGlyphAtTheScreenScale)
{
    platform::ServicesInPlace own;
    platform::services().mainScreen().setScaleOverride(2.0);
    for (const QString& name : usedSymbols) {
        SCOPED_TRACE(name.toStdString());
        const QImage image = platform::systemImage(name, 24, Qt::black);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(48, 48));
        EXPECT_EQ(image.devicePixelRatio(), 2.0);
        const int painted = paintedPixels(image);
        EXPECT_GT(painted, 48 * 48 / 20); // a glyph, not an empty box or a speck
        EXPECT_LT(painted, 48 * 48);      // and not a filled square
    }
}

TEST(SystemSymbol, DifferentNamesDrawDifferentGlyphs)
{
    QSet<QByteArray> images;
    for (const QString& name : usedSymbols) {
        const QImage image = platform::systemImage(name, 20, Qt::black);
        images.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
    }
    EXPECT_EQ(images.size(), usedSymbols.size());
}

TEST(SystemSymbol, NameOutsideTheTableIsAnAbsentImage)
{
    EXPECT_TRUE(platform::systemImage(QStringLiteral("no.such.symbol"), 24).isNull());
    // App images are not system symbols.
    EXPECT_TRUE(platform::systemImage(QStringLiteral("hand.tap.fill"), 24).isNull());
    EXPECT_TRUE(platform::systemImage(QStringLiteral("play.fill"), 0).isNull());
}

TEST(SystemSymbol, GlyphIsDrawnInTheGivenColour)
{
    const QImage image = platform::systemImage(QStringLiteral("square.fill"), 24, QColor(255, 0, 0));
    const QRgb centre = image.pixel(image.width() / 2, image.height() / 2);
    EXPECT_EQ(qAlpha(centre), 255);
    EXPECT_EQ(qRed(centre), 255);
    EXPECT_EQ(qGreen(centre), 0);
}

TEST(SystemSymbol, LabelColourFollowsThePalette)
{
    const QPalette original = QGuiApplication::palette();
    QPalette dark = original;
    dark.setColor(QPalette::WindowText, QColor(250, 250, 250));
    QGuiApplication::setPalette(dark);
    EXPECT_EQ(platform::labelColor(), QColor(250, 250, 250));
    QGuiApplication::setPalette(original);
    EXPECT_EQ(platform::labelColor(), original.color(QPalette::WindowText));
}

} // namespace
