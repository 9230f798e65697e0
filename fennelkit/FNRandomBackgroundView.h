#pragma once

#include "FNViewRepresentable.h"
#include "FennelKitExport.h"

#include <QColor>

namespace fennelkit {

// The animated random background for declarative screens: an AnimationView
// whose loops are drawn in `color`. The first update starts its timer.
class FENNELKIT_EXPORT FNRandomBackgroundView : public FNViewRepresentable {
public:
    explicit FNRandomBackgroundView(const QColor& color) : color(color) {}

    QWidget* makeView() const override;
    // Stores `color` in the AnimationView and starts its timer if need be.
    void updateView(QWidget& view) const override;

    QColor color;
};

}  // namespace fennelkit
