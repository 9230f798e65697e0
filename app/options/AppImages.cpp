#include "options/AppImages.h"

#include "platform/MainScreen.h"

#include <QPainter>

#include <cmath>

// The images live in this static library's resources, which the linker would drop.
static void loadImageResources()
{
    static const bool loaded = [] {
        Q_INIT_RESOURCE(images);
        return true;
    }();
    Q_UNUSED(loaded);
}

namespace {

QImage scaled(const QImage& source, qreal pointSize)
{
    const qreal scale = platform::services().mainScreen().scale();
    const int side = int(std::lround(pointSize * scale));
    QImage image = source.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                       .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    return image;
}

}  // namespace

QImage appImage(const QString& name, qreal pointSize, const QColor& color)
{
    if (name.isEmpty() || pointSize <= 0)
        return {};
    loadImageResources();
    const QImage tinted(QStringLiteral(":/cellarium/options/templates/%1.png").arg(name));
    if (!tinted.isNull()) {
        QImage image = scaled(tinted, pointSize);
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(QRectF(QPointF(0, 0), image.deviceIndependentSize()), color);
        return image;
    }
    const QImage own(QStringLiteral(":/cellarium/options/images/%1.png").arg(name));
    return own.isNull() ? QImage() : scaled(own, pointSize);
}

QImage standardAppIcon()
{
    loadImageResources();
    return QImage(QStringLiteral(":/cellarium/options/images/standardIconImage.png"));
}

QImage otherAppIcon()
{
    loadImageResources();
    return QImage(QStringLiteral(":/cellarium/options/images/OtherAppIcon.png"));
}
