#include "platform/ImageRenderer.h"

#include "platform/MainScreen.h"

#include <QPainter>

#include <cmath>

namespace platform {

ImageRenderer::ImageRenderer(QSizeF sizeInPoints, qreal scale)
    : size_(sizeInPoints), scale_(scale > 0 ? scale : services().mainScreen().scale())
{
}

QImage ImageRenderer::image(const std::function<void(QPainter& painter)>& actions) const
{
    const QSize pixels(int(std::ceil(size_.width() * scale_)), int(std::ceil(size_.height() * scale_)));
    if (pixels.isEmpty())
        return {};
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(scale_);
    if (actions) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        actions(painter);
    }
    return image;
}

} // namespace platform
