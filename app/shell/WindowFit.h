#pragma once

#include <QSize>
#include <QSizeF>

// The size a desktop window starts at: the phone-sized screen, made smaller with
// its proportions kept where the screen's available area (less room for the
// window's frame) is too small for it, never below `minimum` on either side.
QSizeF fittedWindowSize(QSizeF phone, QSize available, QSize frame, QSizeF minimum = {200, 200});
