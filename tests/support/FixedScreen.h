#pragma once

#include "platform/MainScreen.h"

namespace testsupport {

// A main screen of a given size in points and scale, whatever the display is.
class FixedScreen : public platform::MainScreen {
public:
    FixedScreen(QSizeF size, qreal scale) : size_(size), scale_(scale) {}
    QSizeF size() const override { return size_; }
    qreal scale() const override { return scale_; }

private:
    QSizeF size_;
    qreal scale_;
};

}  // namespace testsupport
