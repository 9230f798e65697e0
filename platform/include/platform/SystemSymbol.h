#pragma once

#include "platform/PlatformExport.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

namespace platform {

// The palette's text colour, resolved at each call (it follows a light or
// dark palette); black without a GUI application.
PLATFORM_EXPORT QColor labelColor();

// The system symbol `name` ("play.fill", "checkmark.square", ...) as a
// transparent square image of `pointSize` points at services().mainScreen().scale()
// (the image's devicePixelRatio), drawn from the Material Icons font.
// A null image for a name outside the symbol table or when the font is
// missing. Main thread only (needs a QGuiApplication).
PLATFORM_EXPORT QImage systemImage(const QString& name, qreal pointSize, const QColor& color = labelColor());

// The names of the symbol table.
PLATFORM_EXPORT QStringList systemSymbolNames();

} // namespace platform
