#include "TextMeasuring.h"

#include <QFontMetricsF>
#include <QRectF>

namespace fennelkit {

QSizeF sizeOfString(const QString& string, const QFont& font)
{
    const QFontMetricsF metrics(font);
    return metrics.boundingRect(QRectF(), Qt::TextExpandTabs, string).size();
}

qreal widthOfString(const QString& string, const QFont& font)
{
    return sizeOfString(string, font).width();
}

qreal heightOfString(const QString& string, const QFont& font)
{
    return sizeOfString(string, font).height();
}

}  // namespace fennelkit
