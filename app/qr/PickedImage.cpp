#include "qr/PickedImage.h"

#include <QImageReader>

QImage loadPickedImage(const QString& path, int maxSide)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(pickedImageAllocationLimitMB);
    const QSize size = reader.size();
    const bool tooLarge = size.isValid() && (size.width() > maxSide || size.height() > maxSide);
    if (tooLarge && reader.supportsOption(QImageIOHandler::ScaledSize))
        reader.setScaledSize(size.scaled(maxSide, maxSide, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (image.isNull())
        return {};
    if (image.width() > maxSide || image.height() > maxSide)
        image = image.scaled(maxSide, maxSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}
