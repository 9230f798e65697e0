#include "widgets/AllSubviews.h"
#include "options/BigAlertController.h"
#include "widgets/DesignableImageView.h"
#include "widgets/VisualEffectView.h"

#include "platform/ViewController.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace {

QWidget* opaqueChild(QWidget* parent, const QColor& color)
{
    auto* child = new QWidget(parent);
    child->setAutoFillBackground(true);
    QPalette palette = child->palette();
    palette.setColor(child->backgroundRole(), color);
    child->setPalette(palette);
    return child;
}

QColor backgroundOf(const QWidget* view)
{
    return view->palette().color(view->backgroundRole());
}

}  // namespace

TEST(BigAlertController, UntitledCardIsASquareWithTheSymbolInItsCentredSquare)
{
    BigAlertController alert;
    alert.addSymbol("checkmark.square");
    EXPECT_EQ(alert.sizeHint(), QSize(256, 256));
    EXPECT_NEAR(alert.symbolFrame().x(), 42.67, 0.01);
    EXPECT_NEAR(alert.symbolFrame().y(), 42.67, 0.01);
    EXPECT_NEAR(alert.symbolFrame().width(), 170.67, 0.01);
    EXPECT_NEAR(alert.symbolFrame().height(), 170.67, 0.01);
    EXPECT_FALSE(alert.symbolView()->image().isNull());
    EXPECT_EQ(alert.modalPresentationStyle(), platform::PresentationStyle::Centered);
}

TEST(BigAlertController, TitledCardIsTallerAndTheSymbolMovesDown)
{
    BigAlertController alert(QStringLiteral("Saved"));
    alert.addSymbol("checkmark.square");
    EXPECT_EQ(alert.sizeHint(), QSize(256, 276));
    EXPECT_NEAR(alert.symbolFrame().x(), 42.67, 0.01);
    EXPECT_NEAR(alert.symbolFrame().y(), 62.67, 0.01);
}

TEST(BigAlertController, UnknownSymbolGivesAnEmptyImage)
{
    BigAlertController alert;
    alert.addSymbol("no.such.symbol");
    EXPECT_TRUE(alert.symbolView()->image().isNull());
}

TEST(BigAlertController, LayoutClearsOpaqueBackgroundsAndBlursTheCard)
{
    BigAlertController alert;
    alert.loadViewIfNeeded();
    QWidget* opaque = opaqueChild(&alert, Qt::red);
    QWidget* clear = opaqueChild(opaque, Qt::transparent);
    auto* plain = new QLabel(QStringLiteral("text"), &alert);  // no background of its own
    const QColor plainBackground = backgroundOf(plain);
    alert.show();  // a layout pass

    EXPECT_EQ(backgroundOf(opaque), QColor(Qt::transparent));
    EXPECT_EQ(backgroundOf(clear), QColor(Qt::transparent));
    EXPECT_EQ(backgroundOf(plain), plainBackground) << "views without a background are left alone";
    EXPECT_EQ(alert.cardColor().alpha(), 0);
    EXPECT_EQ(alert.blurView()->effect(), VisualEffectView::Effect::SystemUltraThinMaterial);
    EXPECT_EQ(alert.blurView()->backgroundColor().alpha(), 0);
}

TEST(BigAlertController, ButtonBackgroundColourReplacesEveryNonClearBackground)
{
    BigAlertController alert;
    alert.loadViewIfNeeded();
    QWidget* opaque = opaqueChild(&alert, Qt::red);
    QWidget* clear = opaqueChild(&alert, Qt::transparent);
    alert.setButtonBackgroundColor(Qt::blue);
    EXPECT_EQ(backgroundOf(opaque), QColor(Qt::blue));
    EXPECT_EQ(backgroundOf(clear), QColor(Qt::transparent));
    EXPECT_EQ(alert.blurView()->backgroundColor(), QColor(Qt::blue));
}

TEST(AllSubviews, ListsTheViewThenItsDescendantsDepthFirst)
{
    QWidget root;
    auto* a = new QWidget(&root);
    auto* a1 = new QWidget(a);
    auto* a2 = new QWidget(a);
    auto* b = new QWidget(&root);
    auto* a1x = new QWidget(a1);
    EXPECT_EQ(allSubviews(&root), (QList<QWidget*>{&root, a, a1, a1x, a2, b}));
    EXPECT_EQ(allSubviews(b), QList<QWidget*>{b});
}
