#pragma once

#include <QImage>
#include <QString>

// The longest side, in pixels, a picked photo is read at: larger pictures are
// scaled down before detection so that a huge one cannot exhaust memory.
inline constexpr int maxPickedImageSide = 4096;
// Formats that cannot be read scaled are read whole only up to this size.
inline constexpr int pickedImageAllocationLimitMB = 256;

// The image file at `path`, turned upright by its orientation tag and scaled
// down (aspect kept) so that neither side exceeds `maxSide`. Where the format
// can decode at a smaller size (JPEG), the full picture is never held. A null
// image when the file cannot be read or is too large to read whole. Any thread.
QImage loadPickedImage(const QString& path, int maxSide = maxPickedImageSide);
