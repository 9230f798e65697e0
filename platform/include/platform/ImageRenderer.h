#pragma once

#include "platform/PlatformExport.h"

#include <QImage>
#include <QSizeF>

#include <functional>

class QPainter;

namespace platform {

// Draws images in points: each image is transparent, sizeInPoints × scale pixels
// (the scale is services().mainScreen().scale() unless given), with that scale as its device
// pixel ratio, and the painter handed to the drawing action works in points.
// Made on the main thread (it reads the main screen); image() may run on a pool
// thread when the actions draw no text, QImage and QPainter being reentrant.
class PLATFORM_EXPORT ImageRenderer {
public:
    explicit ImageRenderer(QSizeF sizeInPoints, qreal scale = 0);

    QSizeF size() const { return size_; }
    qreal scale() const { return scale_; }

    // A null image for an empty size.
    QImage image(const std::function<void(QPainter& painter)>& actions) const;

private:
    QSizeF size_;
    qreal scale_;
};

} // namespace platform
