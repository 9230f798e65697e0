#include "AnimationStepper.h"
#include "FennelKitTest.h"

#include "AnimationView.h"
#include "FNRandomBackgroundView.h"
#include "ShapeLayer.h"

#include <QImage>
#include <QPointer>
#include <QTimer>

#include <memory>

using namespace fennelkit;

namespace {

class AnimationViewTest : public FennelKitTest {};

// Pixels the view paints over a transparent image, without its background.
int paintedPixels(QWidget& view)
{
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    view.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            painted += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    return painted;
}

TEST_F(AnimationViewTest, IdleUntilTheTimerThatDrawsAtOnceAndRepeatsEveryTenSeconds)
{
    AnimationView view;
    EXPECT_EQ(view.timer(), nullptr);
    EXPECT_TRUE(view.sublayers().isEmpty());
    EXPECT_EQ(view.color(), QColor(Qt::transparent));

    view.createTimer();
    ASSERT_NE(view.timer(), nullptr);
    EXPECT_TRUE(view.timer()->isActive());
    EXPECT_FALSE(view.timer()->isSingleShot());
    EXPECT_EQ(view.timer()->interval(), 10000);
    EXPECT_EQ(view.sublayers().size(), 1);
    EXPECT_EQ(view.transitPoints().size(), 4);
}

TEST_F(AnimationViewTest, TwoTicksLeaveExactlyOneLoop)
{
    AnimationView view;
    view.updateTimer();
    QPointer<ShapeLayer> first = view.sublayers().first();
    view.updateTimer();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(view.sublayers().size(), 1);
    EXPECT_EQ(view.findChildren<ShapeLayer*>().size(), 1);
}

TEST_F(AnimationViewTest, LoopIsATwoPointStrokeOfTheColourAtTheTickAtAlphaPointTwo)
{
    AnimationView view;
    view.setColor(QColor(200, 40, 10, 128));
    view.updateTimer();
    view.setColor(Qt::blue);
    const ShapeLayer* layer = view.sublayers().first();
    EXPECT_EQ(layer->lineWidth(), 2.0);
    EXPECT_EQ(layer->strokeColor().rgb(), QColor(200, 40, 10).rgb());
    EXPECT_NEAR(layer->strokeColor().alphaF(), 0.2, 0.01);
    EXPECT_EQ(layer->path().elementAt(0), view.transitPoints().first());

    view.updateTimer();
    EXPECT_EQ(view.sublayers().first()->strokeColor().rgb(), QColor(Qt::blue).rgb());
}

TEST_F(AnimationViewTest, LoopFadesInTracesAndFadesOut)
{
    AnimationView view;
    view.updateTimer();
    const ShapeLayer* layer = view.sublayers().first();
    EXPECT_EQ(layer->opacity(), 0);
    EXPECT_EQ(layer->strokeEnd(), 0);

    advanceAnimations(&view, 500);
    EXPECT_NEAR(layer->opacity(), 0.5, 0.01);
    EXPECT_NEAR(layer->strokeEnd(), 500.0 / 9000, 0.01);
    advanceAnimations(&view, 4000);  // 4.5 s
    EXPECT_EQ(layer->opacity(), 1);
    EXPECT_NEAR(layer->strokeEnd(), 0.5, 0.01);
    advanceAnimations(&view, 4600);  // 9.1 s
    EXPECT_EQ(layer->strokeEnd(), 1);
    EXPECT_EQ(layer->opacity(), 1);
    advanceAnimations(&view, 600);  // 9.7 s
    EXPECT_NEAR(layer->opacity(), 0.5, 0.01);
    advanceAnimations(&view, 500);  // 10.2 s
    EXPECT_EQ(layer->opacity(), 0);
}

TEST_F(AnimationViewTest, TracedLoopIsPainted)
{
    AnimationView view;
    view.resize(390, 844);
    view.setColor(Qt::black);
    view.updateTimer();
    EXPECT_EQ(paintedPixels(view), 0);
    advanceAnimations(&view, 9000);
    EXPECT_GT(paintedPixels(view), 100);
}

TEST_F(AnimationViewTest, DestroyingTheViewStopsItsTimer)
{
    auto view = std::make_unique<AnimationView>();
    view->createTimer();
    QPointer<QTimer> timer = view->timer();
    view.reset();
    EXPECT_TRUE(timer.isNull());
}

TEST_F(AnimationViewTest, BackgroundWrapperPassesItsColourAndStartsOneTimer)
{
    FNRandomBackgroundView background(Qt::darkGreen);
    std::unique_ptr<QWidget> made(background.makeView());
    auto* view = qobject_cast<AnimationView*>(made.get());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->timer(), nullptr);

    background.updateView(*view);
    EXPECT_EQ(view->color(), QColor(Qt::darkGreen));
    QTimer* timer = view->timer();
    ASSERT_NE(timer, nullptr);
    ShapeLayer* loop = view->sublayers().first();

    background.color = Qt::magenta;
    background.updateView(*view);
    EXPECT_EQ(view->timer(), timer);
    EXPECT_EQ(view->findChildren<QTimer*>().size(), 1);
    EXPECT_EQ(view->sublayers().first(), loop);
    EXPECT_EQ(view->color(), QColor(Qt::magenta));
}

}  // namespace
