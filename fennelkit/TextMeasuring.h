#pragma once

#include "FennelKitExport.h"

#include <QFont>
#include <QSizeF>
#include <QString>

namespace fennelkit {

// The size in points of `string` laid out with `font` as its only attribute:
// no wrapping width (only its own line breaks start new lines), no rounding.
// An empty string has width 0.
FENNELKIT_EXPORT QSizeF sizeOfString(const QString& string, const QFont& font);
FENNELKIT_EXPORT qreal widthOfString(const QString& string, const QFont& font);
FENNELKIT_EXPORT qreal heightOfString(const QString& string, const QFont& font);

}  // namespace fennelkit
