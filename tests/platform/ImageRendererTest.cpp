#include "platform/ImageRenderer.h"
#include "platform/MainScreen.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

class ScaleTwoScreen : public platform::MainScreen {
public:
    qreal scale() const override { return 2; }
};

}  // namespace

TEST(ImageRenderer, DrawsInPointsOnATransparentImageAtTheScreenScale)
{
    platform::ServicesInPlace scaleTwo(platform::Services().with(std::make_unique<ScaleTwoScreen>()));
    const platform::ImageRenderer renderer(QSizeF(10, 5));
    const QImage image = renderer.image([](QPainter& painter) { painter.fillRect(QRectF(0, 0, 5, 5), Qt::red); });

    EXPECT_EQ(image.size(), QSize(20, 10));
    EXPECT_EQ(image.devicePixelRatio(), 2.0);
    EXPECT_EQ(image.pixelColor(9, 9), QColor(Qt::red)) << "five points are ten pixels";
    EXPECT_EQ(image.pixelColor(10, 0).alpha(), 0) << "the rest stays transparent";
}

TEST(ImageRenderer, GivenScaleWinsAndAnEmptySizeGivesANullImage)
{
    const platform::ImageRenderer renderer(QSizeF(3, 3), 3);
    EXPECT_EQ(renderer.image({}).size(), QSize(9, 9));
    EXPECT_TRUE(platform::ImageRenderer(QSizeF(0, 4), 3).image({}).isNull());
}
