#pragma once

#include "platform/PlatformExport.h"

#include <QString>

class QAbstractButton;

namespace platform {

// Dresses an icon-only button: the system symbol `symbolName` at `pointSize`
// points as its icon, and `name` as both its accessible name and its tooltip,
// so that screen readers and mouse users learn what the glyph means. Main thread only.
PLATFORM_EXPORT void setUpSymbolButton(QAbstractButton& button, const QString& symbolName, qreal pointSize,
                                       const QString& name);

// The side of the close button's cross on every sheet, in points.
inline constexpr qreal closeSymbolSide = 28;

} // namespace platform
