#pragma once

#include "FennelKitExport.h"
#include "LoopGeometry.h"
#include "ShuffledDistribution.h"

#include <QList>
#include <QPainterPath>
#include <QPointF>

#include <cstdint>
#include <random>

namespace fennelkit {

// Draws the closed, smooth random loops of the random background: four
// transit points, one on each slanted segment of the screen, joined by cubic
// curves whose control points are drawn around them. The shuffled
// distributions carry their rounds over from one loop to the next.
class FENNELKIT_EXPORT RandomLoop {
public:
    explicit RandomLoop(const LoopGeometry& geometry);
    // A fixed seed gives reproducible loops.
    RandomLoop(const LoopGeometry& geometry, std::uint32_t seed);

    const LoopGeometry& geometry() const { return geometry_; }

    // Four transit points following the cycle RU, RD, LD, LU from a random
    // starting position, or from `start` (0 to 3).
    QList<QPointF> makeTransitPoints();
    QList<QPointF> makeTransitPoints(int start);

    // A control point for a curve ending at `transit`, drawn afresh on every
    // call; (0, 0) for a point on either half line.
    QPointF controlPoint(QPointF transit);

    // The closed path through the four points, from point 0 around and back.
    QPainterPath makePath(const QList<QPointF>& transitPoints);

    ShuffledDistribution& randomPositiveX() { return randomPositiveX_; }
    ShuffledDistribution& randomNegativeX() { return randomNegativeX_; }
    ShuffledDistribution& randomPositiveY() { return randomPositiveY_; }
    ShuffledDistribution& randomNegativeY() { return randomNegativeY_; }

private:
    int drawOnce(std::int64_t centre, std::int64_t k);

    LoopGeometry geometry_;
    std::mt19937 engine_;
    ShuffledDistribution randomPositiveX_;
    ShuffledDistribution randomNegativeX_;
    ShuffledDistribution randomPositiveY_;
    ShuffledDistribution randomNegativeY_;
};

}  // namespace fennelkit
