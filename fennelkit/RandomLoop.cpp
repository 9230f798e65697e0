#include "RandomLoop.h"

namespace fennelkit {

RandomLoop::RandomLoop(const LoopGeometry& geometry) : RandomLoop(geometry, std::random_device{}())
{
}

RandomLoop::RandomLoop(const LoopGeometry& geometry, std::uint32_t seed)
    : geometry_(geometry),
      engine_(seed),
      randomPositiveX_(geometry.hw(), geometry.w(), engine_()),
      randomNegativeX_(0, geometry.hw(), engine_()),
      randomPositiveY_(0, geometry.hh(), engine_()),
      randomNegativeY_(geometry.hh(), geometry.h(), engine_())
{
}

QList<QPointF> RandomLoop::makeTransitPoints()
{
    std::uniform_int_distribution<int> start(0, 3);
    return makeTransitPoints(start(engine_));
}

QList<QPointF> RandomLoop::makeTransitPoints(int start)
{
    QList<QPointF> points;
    for (int step = 0; step < 4; ++step) {
        const LoopGeometry::TransitKind kind = LoopGeometry::kindAt(start, step);
        const int x = LoopGeometry::isRightHalf(kind) ? randomPositiveX_.nextInt() : randomNegativeX_.nextInt();
        points << QPointF(geometry_.transitPoint(kind, x));
    }
    return points;
}

QPointF RandomLoop::controlPoint(QPointF transit)
{
    const std::int64_t hw = geometry_.hw();
    const std::int64_t hh = geometry_.hh();
    switch (geometry_.quadrantOf(transit)) {
    case LoopGeometry::Quadrant::RightUpper: {
        const std::int64_t y = randomPositiveY_.nextInt();
        return QPointF(drawOnce(hw, y * hw / hh), y);
    }
    case LoopGeometry::Quadrant::RightLower: {
        const std::int64_t x = randomPositiveX_.nextInt();
        return QPointF(x, drawOnce(hh, (x - hw) * hh / hw));
    }
    case LoopGeometry::Quadrant::LeftLower: {
        // y lies in the lower half, so the x range reaches past both side edges.
        const std::int64_t y = randomNegativeY_.nextInt();
        return QPointF(drawOnce(hw, y * hw / hh), y);
    }
    case LoopGeometry::Quadrant::LeftUpper: {
        const std::int64_t x = randomNegativeX_.nextInt();
        return QPointF(x, drawOnce(hh, x * hh / hw));
    }
    case LoopGeometry::Quadrant::OnHalfLine: break;
    }
    return QPointF(0, 0);
}

QPainterPath RandomLoop::makePath(const QList<QPointF>& transitPoints)
{
    QPainterPath path;
    if (transitPoints.size() != 4)
        return path;
    path.moveTo(transitPoints[0]);
    for (int i : {1, 2, 3, 0}) {
        // Two separate draws, the first control point first.
        const QPointF first = controlPoint(transitPoints[i]);
        const QPointF second = controlPoint(transitPoints[i]);
        path.cubicTo(first, second, transitPoints[i]);
    }
    path.closeSubpath();
    return path;
}

int RandomLoop::drawOnce(std::int64_t centre, std::int64_t k)
{
    ShuffledDistribution range(static_cast<int>(centre - k), static_cast<int>(centre + k), engine_());
    return range.nextInt();
}

}  // namespace fennelkit
