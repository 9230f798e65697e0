#pragma once

#include "platform/PlatformExport.h"

#include <QLabel>

namespace platform {

// One short line a screen shows when something the user asked for cannot be
// done ("No pattern in this picture"). Hidden while it says nothing. Each
// say() shows the line and announces it to screen readers: the line is an
// alert in the accessibility tree, and an Alert event is sent for it. Main
// thread only.
class PLATFORM_EXPORT NoticeLine : public QLabel {
    Q_OBJECT

public:
    explicit NoticeLine(QWidget* parent = nullptr);

    void say(const QString& text);
    void clear();
};

} // namespace platform
