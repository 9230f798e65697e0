#include "widgets/VisualEffectView.h"

#include "platform/AppWindow.h"
#include "platform/ViewController.h"

#include <QGraphicsBlurEffect>
#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QPainter>
#include <QPainterPath>

VisualEffectView::VisualEffectView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void VisualEffectView::setEffect(Effect effect)
{
    effect_ = effect;
    if (isVisible())
        takeSnapshot();
    update();
}

void VisualEffectView::setBackgroundColor(const QColor& color)
{
    backgroundColor_ = color;
    update();
}

void VisualEffectView::setCornerRadius(qreal radius)
{
    cornerRadius_ = radius;
    update();
}

void VisualEffectView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    takeSnapshot();
}

void VisualEffectView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (isVisible())
        takeSnapshot();
}

QWidget* VisualEffectView::backdropSource() const
{
    if (source_)
        return source_;
    // The root screen of the app window: the sheets over it (this view among them) are
    // its siblings, so its picture is what lies below.
    if (auto* window = qobject_cast<platform::AppWindow*>(this->window()))
        return window->rootViewController();
    return nullptr;
}

void VisualEffectView::takeSnapshot()
{
    blurred_ = {};
    QWidget* source = backdropSource();
    if (effect_ == Effect::None || !source || width() <= 0 || height() <= 0)
        return;
    const QPoint origin = mapTo(window(), QPoint(0, 0)) - source->mapTo(window(), QPoint(0, 0));
    const int margin = int(blurRadius);
    const QRect area = QRect(origin, size()).adjusted(-margin, -margin, margin, margin);
    const QPixmap picture = source->grab(area);
    if (picture.isNull())
        return;

    QGraphicsScene scene;
    auto* item = scene.addPixmap(picture);
    auto* blur = new QGraphicsBlurEffect;
    blur->setBlurRadius(blurRadius);
    blur->setBlurHints(QGraphicsBlurEffect::QualityHint);
    item->setGraphicsEffect(blur);
    QImage image(picture.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        scene.render(&painter, QRectF(image.rect()), QRectF(QPointF(0, 0), QSizeF(picture.size()) / picture.devicePixelRatio()));
    }
    image.setDevicePixelRatio(picture.devicePixelRatio());
    const qreal ratio = picture.devicePixelRatio();
    blurred_ = image.copy(QRect(QPoint(int(margin * ratio), int(margin * ratio)), size() * ratio));
    blurred_.setDevicePixelRatio(ratio);
}

void VisualEffectView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), cornerRadius_, cornerRadius_);
    painter.setClipPath(shape);
    if (effect_ != Effect::None) {
        if (!blurred_.isNull())
            painter.drawImage(QRectF(rect()), blurred_);
        QColor wash = palette().color(QPalette::Window);
        wash.setAlphaF(0.35f);
        painter.fillPath(shape, wash);
    }
    if (backgroundColor_.isValid() && backgroundColor_.alpha() > 0)
        painter.fillPath(shape, backgroundColor_);
}
