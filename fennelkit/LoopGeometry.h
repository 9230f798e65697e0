#pragma once

#include "FennelKitExport.h"

#include <QPoint>
#include <QPointF>

namespace fennelkit {

// The integer screen geometry of the random background's loops. All divisions
// truncate toward zero, as the loop shapes depend on it.
class FENNELKIT_EXPORT LoopGeometry {
public:
    // The four slanted segments a loop passes through, in their cyclic order:
    // right-up, right-down, left-down, left-up.
    enum class TransitKind { RightUp, RightDown, LeftDown, LeftUp };

    // Where a transit point lies against the exact half width and half height.
    enum class Quadrant { RightUpper, RightLower, LeftLower, LeftUpper, OnHalfLine };

    // Precondition: both sizes finite and at least 2 points; otherwise the
    // process stops (the formulas divide by the half sizes).
    LoopGeometry(double screenWidth, double screenHeight);

    int w() const { return w_; }
    int h() const { return h_; }
    int hw() const { return hw_; }
    int hh() const { return hh_; }
    double halfWidth() const { return halfWidth_; }
    double halfHeight() const { return halfHeight_; }

    // The kind at position `step` (0 to 3) of the cycle that begins at `start`.
    static TransitKind kindAt(int start, int step);
    static bool isRightHalf(TransitKind kind);

    // The transit point of the given kind whose x was drawn as `x`.
    QPoint transitPoint(TransitKind kind, int x) const;

    Quadrant quadrantOf(QPointF transit) const;

private:
    int w_;
    int h_;
    int hw_;
    int hh_;
    double halfWidth_;
    double halfHeight_;
};

}  // namespace fennelkit
