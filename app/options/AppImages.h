#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// The app's own images by name ("hand.tap.fill", "standardIconImage", ...), at the
// main screen's scale and `pointSize` points on their longer side. Template images
// (the option icons) are drawn in `color`; the icons keep their own colours. A name
// that does not resolve gives a null image. Main thread only.
QImage appImage(const QString& name, qreal pointSize, const QColor& color);

// The standard app icon and the alternate icon "OtherAppIcon", full size.
QImage standardAppIcon();
QImage otherAppIcon();
