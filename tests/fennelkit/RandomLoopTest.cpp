#include "LoopGeometry.h"
#include "RandomLoop.h"

#include <QPainterPath>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace fennelkit;
using Kind = LoopGeometry::TransitKind;
using Quadrant = LoopGeometry::Quadrant;

namespace {

TEST(LoopGeometryTest, HalfSizesAreTruncatedToIntegers)
{
    const LoopGeometry phone(390, 844);
    EXPECT_EQ(phone.w(), 390);
    EXPECT_EQ(phone.h(), 844);
    EXPECT_EQ(phone.hw(), 195);
    EXPECT_EQ(phone.hh(), 422);

    const LoopGeometry narrow(375.9, 812.4);
    EXPECT_EQ(narrow.w(), 375);
    EXPECT_EQ(narrow.h(), 812);
    EXPECT_EQ(narrow.hw(), 187);
    EXPECT_EQ(narrow.hh(), 406);
    EXPECT_DOUBLE_EQ(narrow.halfWidth(), 187.95);
}

TEST(LoopGeometryTest, CycleRunsRightUpRightDownLeftDownLeftUpFromAnyStart)
{
    EXPECT_EQ(LoopGeometry::kindAt(0, 0), Kind::RightUp);
    EXPECT_EQ(LoopGeometry::kindAt(0, 3), Kind::LeftUp);
    EXPECT_EQ(LoopGeometry::kindAt(1, 0), Kind::RightDown);
    EXPECT_EQ(LoopGeometry::kindAt(1, 3), Kind::RightUp);
    EXPECT_EQ(LoopGeometry::kindAt(2, 1), Kind::LeftUp);
    EXPECT_EQ(LoopGeometry::kindAt(3, 0), Kind::LeftUp);
    EXPECT_EQ(LoopGeometry::kindAt(3, 1), Kind::RightUp);
}

TEST(LoopGeometryTest, TransitPointsLieOnTheSlantedSegments)
{
    const LoopGeometry phone(390, 844);
    EXPECT_EQ(phone.transitPoint(Kind::RightUp, 195), QPoint(195, 422));
    EXPECT_EQ(phone.transitPoint(Kind::RightUp, 390), QPoint(390, 0));
    EXPECT_EQ(phone.transitPoint(Kind::RightDown, 390), QPoint(390, 844));
    EXPECT_EQ(phone.transitPoint(Kind::LeftDown, 0), QPoint(0, 422));
    EXPECT_EQ(phone.transitPoint(Kind::LeftDown, 195), QPoint(195, 844));
    EXPECT_EQ(phone.transitPoint(Kind::LeftUp, 195), QPoint(195, 0));
}

TEST(LoopGeometryTest, TransitPointDivisionsTruncateTowardZero)
{
    const LoopGeometry narrow(375, 812);  // hw 187, hh 406
    // 13 * 406 / 187 = 28.2
    EXPECT_EQ(narrow.transitPoint(Kind::RightUp, 200), QPoint(200, 378));
    EXPECT_EQ(narrow.transitPoint(Kind::RightDown, 200), QPoint(200, 434));
    // 100 * 406 / 187 = 217.1
    EXPECT_EQ(narrow.transitPoint(Kind::LeftDown, 100), QPoint(100, 623));
    EXPECT_EQ(narrow.transitPoint(Kind::LeftUp, 100), QPoint(100, 189));
}

TEST(LoopGeometryTest, QuadrantsCompareWithTheExactHalfSizes)
{
    const LoopGeometry phone(390, 844);
    EXPECT_EQ(phone.quadrantOf({300, 100}), Quadrant::RightUpper);
    EXPECT_EQ(phone.quadrantOf({300, 700}), Quadrant::RightLower);
    EXPECT_EQ(phone.quadrantOf({100, 700}), Quadrant::LeftLower);
    EXPECT_EQ(phone.quadrantOf({100, 100}), Quadrant::LeftUpper);
    EXPECT_EQ(phone.quadrantOf({195, 100}), Quadrant::OnHalfLine);
    EXPECT_EQ(phone.quadrantOf({300, 422}), Quadrant::OnHalfLine);

    // With a width of 375 the half width is 187.5: x = 187 is left of centre.
    const LoopGeometry narrow(375, 813);
    const QPoint rightUp = narrow.transitPoint(Kind::RightUp, 187);
    EXPECT_EQ(rightUp, QPoint(187, 406));
    EXPECT_EQ(narrow.quadrantOf(rightUp), Quadrant::LeftUpper);
}

TEST(LoopGeometryDeathTest, ScreenSmallerThanTwoPointsStopsTheProcess)
{
    EXPECT_DEATH(LoopGeometry(1.5, 844), "too small");
    EXPECT_DEATH(LoopGeometry(390, std::numeric_limits<double>::infinity()), "too small");
    EXPECT_DEATH(LoopGeometry(std::nan(""), 844), "too small");
}

TEST(RandomLoopTest, PhoneCentreGetsTheOriginAsControlPoint)
{
    RandomLoop loop(LoopGeometry(390, 844), 1);
    const QPointF centre = loop.geometry().transitPoint(Kind::RightUp, 195);
    EXPECT_EQ(loop.controlPoint(centre), QPointF(0, 0));
    EXPECT_EQ(loop.controlPoint(centre), QPointF(0, 0));
}

// Each control point must satisfy the rule of its transit point's quadrant.
TEST(RandomLoopTest, ControlPointsFollowTheirQuadrantsRule)
{
    for (const auto& [width, height] : {std::pair{390.0, 844.0}, std::pair{375.0, 813.0}}) {
        RandomLoop loop(LoopGeometry(width, height), 42);
        const LoopGeometry& g = loop.geometry();
        const int hw = g.hw();
        const int hh = g.hh();
        for (int i = 0; i < 500; ++i) {
            const QPointF ru = loop.controlPoint({g.w() - 1.0, 1});
            const int kRu = int(ru.y()) * hw / hh;
            EXPECT_TRUE(ru.y() >= 0 && ru.y() <= hh && ru.x() >= hw - kRu && ru.x() <= hw + kRu) << i;

            const QPointF rd = loop.controlPoint({g.w() - 1.0, g.h() - 1.0});
            const int kRd = (int(rd.x()) - hw) * hh / hw;
            EXPECT_TRUE(rd.x() >= hw && rd.x() <= g.w() && rd.y() >= hh - kRd && rd.y() <= hh + kRd) << i;

            const QPointF ld = loop.controlPoint({1, g.h() - 1.0});
            const int kLd = int(ld.y()) * hw / hh;
            EXPECT_TRUE(ld.y() >= hh && ld.y() <= g.h() && ld.x() >= hw - kLd && ld.x() <= hw + kLd) << i;

            const QPointF lu = loop.controlPoint({1, 1});
            const int kLu = int(lu.x()) * hh / hw;
            EXPECT_TRUE(lu.x() >= 0 && lu.x() <= hw && lu.y() >= hh - kLu && lu.y() <= hh + kLu) << i;
        }
    }
}

TEST(RandomLoopTest, TransitPointsFollowTheCycleFromTheirStart)
{
    RandomLoop loop(LoopGeometry(390, 844), 7);
    for (int start = 0; start < 4; ++start) {
        const QList<QPointF> points = loop.makeTransitPoints(start);
        ASSERT_EQ(points.size(), 4);
        for (int step = 0; step < 4; ++step) {
            const QPointF p = points[step];
            switch (LoopGeometry::kindAt(start, step)) {
            case Kind::RightUp: EXPECT_TRUE(p.x() >= 195 && p.y() <= 422) << start << step; break;
            case Kind::RightDown: EXPECT_TRUE(p.x() >= 195 && p.y() >= 422) << start << step; break;
            case Kind::LeftDown: EXPECT_TRUE(p.x() <= 195 && p.y() >= 422) << start << step; break;
            case Kind::LeftUp: EXPECT_TRUE(p.x() <= 195 && p.y() <= 422) << start << step; break;
            }
            const QPoint onSegment = loop.geometry().transitPoint(LoopGeometry::kindAt(start, step), int(p.x()));
            EXPECT_EQ(p, QPointF(onSegment));
        }
    }
}

TEST(RandomLoopTest, PathIsClosedThroughTheFourPointsInOrder)
{
    RandomLoop loop(LoopGeometry(390, 844), 3);
    const QList<QPointF> points = loop.makeTransitPoints();
    const QPainterPath path = loop.makePath(points);
    // move, four cubics of three elements each; closing adds nothing as the last curve ends at the start.
    ASSERT_EQ(path.elementCount(), 13);
    EXPECT_TRUE(path.elementAt(0).isMoveTo());
    EXPECT_EQ(QPointF(path.elementAt(0)), points[0]);
    const int order[] = {1, 2, 3, 0};
    for (int curve = 0; curve < 4; ++curve) {
        EXPECT_EQ(path.elementAt(1 + 3 * curve).type, QPainterPath::CurveToElement);
        EXPECT_EQ(QPointF(path.elementAt(3 + 3 * curve)), points[order[curve]]);
    }
}

}  // namespace
