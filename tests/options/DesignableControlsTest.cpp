#include "options/AppImages.h"
#include "options/OptionCell.h"
#include "widgets/DesignableButton.h"
#include "widgets/DesignableImageView.h"
#include "widgets/DesignableView.h"

#include "platform/MainScreen.h"

#include <QImage>

#include <gtest/gtest.h>

template <typename Control>
class BorderedControl : public ::testing::Test {};

using Controls = ::testing::Types<DesignableView, DesignableButton, DesignableImageView>;
TYPED_TEST_SUITE(BorderedControl, Controls);

TYPED_TEST(BorderedControl, StartsWithoutABorderWhateverTheStoredColour)
{
    TypeParam control;
    EXPECT_EQ(control.borderWidth(), 0.0);
    EXPECT_EQ(control.borderColor(), QColor(Qt::white));
    EXPECT_EQ(control.layerBorder().width, 0.0);
    EXPECT_EQ(control.layerBorder().color, QColor(Qt::black)) << "the layer is not touched at creation";
}

TYPED_TEST(BorderedControl, ColourAloneChangesTheLayerButShowsNothingUntilAWidthIsSet)
{
    TypeParam control;
    control.setBorderColor(Qt::red);
    EXPECT_EQ(control.layerBorder().color, QColor(Qt::red));
    EXPECT_EQ(control.layerBorder().width, 0.0);
    control.setBorderWidth(1.0);
    EXPECT_EQ(control.borderWidth(), 1.0);
    EXPECT_EQ(control.layerBorder().width, 1.0);
}

TYPED_TEST(BorderedControl, PropertiesAreOpenToInterfaceFilesByName)
{
    TypeParam control;
    EXPECT_TRUE(control.setProperty("borderWidth", 2.0));
    EXPECT_TRUE(control.setProperty("borderColor", QColor(Qt::green)));
    EXPECT_EQ(control.layerBorder().width, 2.0);
    EXPECT_EQ(control.layerBorder().color, QColor(Qt::green));
}

TEST(BorderedControl, ABorderIsDrawnOverTheContentAtTheEdge)
{
    DesignableView view;
    view.resize(20, 20);
    view.setBorderColor(Qt::red);
    QImage before = view.grab().toImage();
    EXPECT_NE(before.pixelColor(0, 10), QColor(Qt::red));
    view.setBorderWidth(2.0);
    QImage after = view.grab().toImage();
    EXPECT_EQ(after.pixelColor(0, 10), QColor(Qt::red));
    EXPECT_NE(after.pixelColor(10, 10), QColor(Qt::red));
}

TEST(DesignableImageView, ImageInitialisersKeepTheBorderDefaults)
{
    QImage image(4, 2, QImage::Format_ARGB32);
    image.fill(Qt::blue);
    DesignableImageView one(image);
    DesignableImageView two(image, image);
    EXPECT_EQ(one.image(), image);
    EXPECT_EQ(two.highlightedImage(), image);
    EXPECT_EQ(two.borderWidth(), 0.0);
    EXPECT_EQ(two.borderColor(), QColor(Qt::white));
    one.resize(40, 40);
    EXPECT_EQ(one.imageRect(), QRectF(0, 10, 40, 20)) << "aspect fit, centred";
}

TEST(OptionCell, InterfaceFileConnectsBothOutletsAndTheCellIsAButton)
{
    OptionCell cell;
    ASSERT_NE(cell.containerView(), nullptr);
    ASSERT_NE(cell.iconImageView(), nullptr);
    EXPECT_EQ(cell.containerView()->layerBorder().width, 0.0);
    EXPECT_EQ(cell.focusPolicy(), Qt::NoFocus);
}

TEST(AppImages, EveryImageOfTheGridResolvesAndAnUnknownNameIsNull)
{
    for (const char* name : {"square.grid.3x3.fill", "hand.tap.fill", "clock.arrow.circlepath", "doc.plaintext.fill",
                             "eyes.inverse", "network", "standardIconImage", "liveIconImage", "OtherAppIcon"}) {
        const QImage image = appImage(QString::fromLatin1(name), 44, Qt::black);
        EXPECT_FALSE(image.isNull()) << name;
        EXPECT_EQ(image.devicePixelRatio(), platform::services().mainScreen().scale()) << name;
        EXPECT_NEAR(image.deviceIndependentSize().width(), 44, 0.5) << name;
    }
    EXPECT_TRUE(appImage("no.such.image", 44, Qt::black).isNull());
    EXPECT_FALSE(standardAppIcon().isNull());
    EXPECT_FALSE(otherAppIcon().isNull());
    EXPECT_NE(standardAppIcon(), otherAppIcon());
}

TEST(AppImages, TemplateImagesTakeTheGivenColourAndIconsKeepTheirOwn)
{
    const QImage red = appImage("hand.tap.fill", 44, Qt::red);
    bool sawRed = false, sawOther = false;
    for (int y = 0; y < red.height(); ++y) {
        for (int x = 0; x < red.width(); ++x) {
            const QColor c = red.pixelColor(x, y);
            if (c.alpha() == 0)
                continue;
            (c.red() > 0 && c.green() <= 5 && c.blue() <= 5 ? sawRed : sawOther) = true;
        }
    }
    EXPECT_TRUE(sawRed);
    EXPECT_FALSE(sawOther);
    const QImage icon = appImage("standardIconImage", 44, Qt::red);
    const QColor middle = icon.pixelColor(icon.width() / 10, icon.height() / 2);
    EXPECT_NE(middle, QColor(Qt::red));
}
