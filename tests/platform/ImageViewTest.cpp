#include "platform/ImageView.h"

#include <gtest/gtest.h>

using platform::ImageView;
using Scaling = ImageView::Scaling;

namespace {

// Two by two pixels: black, white / white, black.
QImage checker()
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixelColor(0, 0, Qt::black);
    image.setPixelColor(1, 1, Qt::black);
    return image;
}

QImage shown(Scaling scaling, const QImage& image, QSize viewSize)
{
    ImageView view;
    view.setScaling(scaling);
    view.setImage(image);
    view.resize(viewSize);
    return view.grab().toImage();
}

// Colours neither black nor white appear where the enlargement was smoothed.
bool hasGreys(const QImage& image, QRect area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (const int grey = qGray(image.pixel(x, y)); grey > 10 && grey < 245)
                return true;
    return false;
}

}  // namespace

TEST(ImageView, FitsItsImageCentredWithItsAspectKept)
{
    ImageView view;
    view.resize(40, 40);
    EXPECT_TRUE(view.imageRect().isEmpty()) << "a null image shows nothing";
    view.setImage(QImage(4, 2, QImage::Format_RGB32));
    EXPECT_EQ(view.imageRect(), QRectF(0, 10, 40, 20));
    view.setImage(QImage(100, 50, QImage::Format_RGB32));
    EXPECT_EQ(view.imageRect(), QRectF(0, 10, 40, 20));
}

TEST(ImageView, ShrinkOnlyNeverEnlargesAndShrinksWhatIsTooLarge)
{
    ImageView view;
    view.setScaling(Scaling::ShrinkOnly);
    view.resize(40, 40);
    view.setImage(QImage(10, 20, QImage::Format_RGB32));
    EXPECT_EQ(view.imageRect(), QRectF(15, 10, 10, 20));
    view.setImage(QImage(40, 40, QImage::Format_RGB32));
    EXPECT_EQ(view.imageRect(), QRectF(0, 0, 40, 40)) << "an image of the view's size is copied as it is";
    view.setImage(QImage(80, 40, QImage::Format_RGB32));
    EXPECT_EQ(view.imageRect(), QRectF(0, 10, 40, 20));

    QImage hiDpi(120, 120, QImage::Format_RGB32);
    hiDpi.setDevicePixelRatio(3);
    view.setImage(hiDpi);
    EXPECT_EQ(view.imageRect(), QRectF(0, 0, 40, 40)) << "sized in points";
}

TEST(ImageView, SharpEnlargedKeepsEveryModuleOneColourWhereSmoothBlendsThem)
{
    const QImage sharp = shown(Scaling::SharpEnlarged, checker(), QSize(40, 40));
    EXPECT_FALSE(hasGreys(sharp, sharp.rect()));
    EXPECT_EQ(qGray(sharp.pixel(5, 5)), 0);
    EXPECT_EQ(qGray(sharp.pixel(30, 5)), 255);

    const QImage smooth = shown(Scaling::Smooth, checker(), QSize(40, 40));
    EXPECT_TRUE(hasGreys(smooth, smooth.rect()));
}
