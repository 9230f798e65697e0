#include "LoopGeometry.h"

#include <QtGlobal>

#include <cmath>
#include <cstdint>

namespace fennelkit {

LoopGeometry::LoopGeometry(double screenWidth, double screenHeight)
{
    if (!std::isfinite(screenWidth) || !std::isfinite(screenHeight) || screenWidth < 2 || screenHeight < 2)
        qFatal("LoopGeometry: screen size %g x %g is too small or not finite", screenWidth, screenHeight);
    w_ = static_cast<int>(screenWidth);
    h_ = static_cast<int>(screenHeight);
    hw_ = static_cast<int>(screenWidth * 0.5);
    hh_ = static_cast<int>(screenHeight * 0.5);
    halfWidth_ = screenWidth * 0.5;
    halfHeight_ = screenHeight * 0.5;
}

LoopGeometry::TransitKind LoopGeometry::kindAt(int start, int step)
{
    return static_cast<TransitKind>((start + step) % 4);
}

bool LoopGeometry::isRightHalf(TransitKind kind)
{
    return kind == TransitKind::RightUp || kind == TransitKind::RightDown;
}

QPoint LoopGeometry::transitPoint(TransitKind kind, int x) const
{
    const std::int64_t x64 = x;
    std::int64_t y = 0;
    switch (kind) {
    case TransitKind::RightUp: y = hh_ - (x64 - hw_) * hh_ / hw_; break;
    case TransitKind::RightDown: y = hh_ + (x64 - hw_) * hh_ / hw_; break;
    case TransitKind::LeftDown: y = hh_ + x64 * hh_ / hw_; break;
    case TransitKind::LeftUp: y = hh_ - x64 * hh_ / hw_; break;
    }
    return {x, static_cast<int>(y)};
}

LoopGeometry::Quadrant LoopGeometry::quadrantOf(QPointF t) const
{
    const bool right = t.x() > halfWidth_;
    const bool left = t.x() < halfWidth_;
    const bool upper = t.y() < halfHeight_;
    const bool lower = t.y() > halfHeight_;
    if (right && upper)
        return Quadrant::RightUpper;
    if (right && lower)
        return Quadrant::RightLower;
    if (left && lower)
        return Quadrant::LeftLower;
    if (left && upper)
        return Quadrant::LeftUpper;
    return Quadrant::OnHalfLine;
}

}  // namespace fennelkit
