#include "TextMeasuring.h"

#include <QFont>
#include <QFontMetricsF>

#include <gtest/gtest.h>

using namespace fennelkit;

namespace {

QFont testFont()
{
    QFont font;
    font.setPointSizeF(17);
    return font;
}

TEST(TextMeasuringTest, EmptyStringHasNoWidth)
{
    EXPECT_EQ(widthOfString(QString(), testFont()), 0);
    EXPECT_EQ(widthOfString(QStringLiteral(""), testFont()), 0);
}

TEST(TextMeasuringTest, OneLineMeasuresItsAdvanceAndTheFontsLineHeight)
{
    const QFont font = testFont();
    const QFontMetricsF metrics(font);
    const QString text = QStringLiteral("Cellarium");
    EXPECT_NEAR(widthOfString(text, font), metrics.horizontalAdvance(text), 1.0);
    EXPECT_NEAR(heightOfString(text, font), metrics.height(), 1.0);
    EXPECT_GT(widthOfString(QStringLiteral("Cellarium Cellarium"), font), widthOfString(text, font));
}

TEST(TextMeasuringTest, LineBreaksAddLinesButNothingWraps)
{
    const QFont font = testFont();
    const QString oneLine = QStringLiteral("An infinite, two-dimensional orthogonal grid of square cells, each alive or dead");
    EXPECT_NEAR(heightOfString(oneLine, font), QFontMetricsF(font).height(), 1.0);
    EXPECT_GT(heightOfString(QStringLiteral("1.\n\nAny live cell"), font), 2.5 * heightOfString(oneLine, font));
}

}  // namespace
