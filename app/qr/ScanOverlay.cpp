#include "qr/ScanOverlay.h"

#include "platform/SystemSymbol.h"

#include <QPainter>

namespace {
constexpr qreal coverOpacity = 0.82;  // light enough to see the camera picture behind, as a blur would
}

ScanOverlay::ScanOverlay(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QPainterPath ScanOverlay::maskPath(const QRectF& bounds, const QRectF& window)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addRect(bounds);
    // Counter-clockwise, so that under the non-zero rule the window is a hole.
    path.moveTo(window.topLeft());
    path.lineTo(window.bottomLeft());
    path.lineTo(window.bottomRight());
    path.lineTo(window.topRight());
    path.closeSubpath();
    return path;
}

void ScanOverlay::setScanWindow(const QRectF& bounds, const QRectF& window)
{
    mask_ = maskPath(bounds, window);
    outline_ = window;
    update();
}

void ScanOverlay::paintEvent(QPaintEvent*)
{
    if (mask_.isEmpty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipPath(mask_);
    QColor cover = palette().color(QPalette::Window);
    cover.setAlphaF(coverOpacity);
    painter.fillRect(rect(), cover);
    painter.setPen(QPen(platform::labelColor(), outlineWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(outline_);
}
