// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Outlines.h"

#include <gtest/gtest.h>

#include <cmath>

#include "RenderFixtures.h"
#include "render/Curves.h"
#include "render/Transforms.h"

namespace quillon {
namespace {

using test::AddShape;
using test::OutlinePoints;

std::vector<Point> Points(const std::vector<PointEntry>& entries) {
  std::vector<Point> points;
  for (const PointEntry& e : entries) {
    EXPECT_EQ(e.pointAtDragStart, e.point);
    points.push_back(e.point);
  }
  return points;
}

Outline OutlineOf(const ItemRecord& r, TargetMapping map = TargetMapping::Document()) {
  Outline out;
  BuildOutline(r, map, out);
  return out;
}

TEST(ProjectOntoLine, AxisCasesAndRounding) {
  struct Case {
    Point a, b, p, foot;
    bool between;
  };
  const Case cases[] = {
      {{0, 0}, {2, 50}, {30, 20}, {0, 20}, true},      // steep: straight across
      {{0, 0}, {100, 0}, {30, -40}, {30, 0}, true},    // flat: straight down
      {{0, 0}, {100, 0}, {130, 5}, {130, 0}, false},   // beyond the end
      {{0, 0}, {100000, 5}, {7, 9}, {7, 0}, true},     // slope below 0.0001
      {{0, 0}, {100, 100}, {100, 0}, {50, 50}, true},  // diagonal
      {{0, 0}, {10, 3}, {3, 7}, {5, 1}, true},         // foot (4.68, 1.40) rounded
      {{0, 0}, {10, 3}, {-20, -3}, {-19, -6}, false},
  };
  for (const Case& c : cases) {
    const Projection f = ProjectOntoLine(c.a, c.b, c.p);
    EXPECT_EQ(f.foot, c.foot) << c.p.x << "," << c.p.y;
    EXPECT_EQ(f.between, c.between) << c.p.x << "," << c.p.y;
  }
}

TEST(Construction, SquareRectangleAndCircleFromClicks) {
  std::vector<PointEntry> list;
  SquareFromSide({0, 0}, {10, 0}, list);
  EXPECT_EQ(Points(list), (std::vector<Point>{{0, 0}, {10, 0}, {10, -10}, {0, -10}}));
  SquareFromSide({0, 0}, {3, 4}, list);
  EXPECT_EQ(Points(list), (std::vector<Point>{{0, 0}, {3, 4}, {7, 1}, {4, -3}}));
  RectangleFromSide({0, 0}, {100, 0}, {130, 40}, list);
  EXPECT_EQ(Points(list), (std::vector<Point>{{0, 0}, {100, 0}, {100, 40}, {0, 40}}));
  // A tilted first side: the cursor slides onto the perpendicular through B.
  RectangleFromSide({0, 0}, {30, 40}, {70, 0}, list);
  EXPECT_EQ(Points(list), (std::vector<Point>{{0, 0}, {30, 40}, {70, 10}, {40, -30}}));
  CircleFromClicks({0, 0}, {10, 0}, list);
  EXPECT_EQ(Points(list), (std::vector<Point>{{0, 0}, {10, 0}, {10, -10}, {0, -10}}));
  EllipseFromClicks({5, 5}, {5, 5}, {9, 9}, list);
  EXPECT_EQ(Points(list), (std::vector<Point>{{5, 5}, {5, 15}, {9, 9}}));
  EllipseFromClicks({5, 5}, {25, 5}, {9, 9}, list);
  EXPECT_EQ(Points(list), (std::vector<Point>{{5, 5}, {25, 5}, {9, 9}}));
}

TEST(Construction, PolygonAndStarVertices) {
  std::vector<PointEntry> list;
  EXPECT_TRUE(PolygonVertices({0, 0}, {10, 0}, 4, list));
  EXPECT_EQ(Points(list),
            (std::vector<Point>{{0, 0}, {10, 0}, {0, -10}, {-10, 0}, {0, 10}, {10, 0}}));
  for (int32_t n : {2, 1024001, -5}) {
    EXPECT_FALSE(PolygonVertices({0, 0}, {10, 0}, n, list));
    EXPECT_EQ(Points(list), (std::vector<Point>{{0, 0}, {10, 0}}));
  }
  EXPECT_TRUE(StarVertices({0, 0}, {0, -20}, 5, {0, -50}, list));
  ASSERT_EQ(list.size(), 12u);
  EXPECT_EQ(list[1].point, (Point{0, -50}));
  EXPECT_EQ(list[11].point, (Point{0, -50}));  // W2n coincides with the tip
  EXPECT_NEAR(DistanceOf({0, 0}, list[2].point), 20, 1);
  EXPECT_FALSE(StarVertices({0, 0}, {0, -20}, 2, {0, -50}, list));
  EXPECT_EQ(Points(list), (std::vector<Point>{{0, 0}, {0, -50}, {0, -20}}));
  ArcFromClicks({0, 0}, {10, 0}, {0, -300}, list);
  EXPECT_EQ(Points(list), (std::vector<Point>{{0, 0}, {10, 0}, {0, -10}}));
}

TEST(PolygonOutline, DrawnOnlyWithThreeToMaxSides) {
  ItemList list;
  ItemRecord& polygon = AddShape(list, kKindPolygon, {{0, 0}, {10, 0}}, 0, 3);
  Outline out = OutlineOf(polygon);
  EXPECT_EQ(out.form, OutlineForm::Polygon);
  EXPECT_EQ(out.points, (std::vector<Point>{{10, 0}, {-5, -9}, {-5, 9}}));
  for (int32_t sides : {2, 1024001, 0, -3}) {
    polygon.setSides(sides);
    EXPECT_EQ(OutlineOf(polygon).form, OutlineForm::None) << sides;
  }
  polygon.setSides(kMaxSides);
  out = OutlineOf(polygon);
  EXPECT_EQ(out.points.size(), std::size_t(kMaxSides));
  EXPECT_EQ(out.points.front(), (Point{10, 0}));
}

TEST(StarOutline, InnerRadiusComesFromTheThirdPointEvenAfterTurning) {
  ItemList list;
  ItemRecord& star = AddShape(list, kKindStar, {}, 0, 5);
  StarVertices({0, 0}, {0, -20}, 5, {0, -50}, star.points);
  RotatePoints(star.points, {0, 0}, 0.4);
  const Outline turned = OutlineOf(star);
  ASSERT_EQ(turned.points.size(), 10u);
  EXPECT_EQ(turned.points[0], star.points[1].point);
  for (std::size_t k = 1; k < 10; k += 2) {
    EXPECT_NEAR(DistanceOf({0, 0}, turned.points[k]), 20, 1.5);
  }
  // Only the centre, the tip and the third point count.
  for (std::size_t k = 3; k < star.points.size(); ++k)
    star.points[k].point = {999, 999};
  EXPECT_EQ(OutlineOf(star).points, turned.points);
}

TEST(ArcOutline, PieSweepsThroughZeroCounterClockwise) {
  ItemList list;
  ItemRecord& pie = AddShape(list, kKindPie, {{0, 0}, {98, 17}, {98, -17}});
  const Outline out = OutlineOf(pie);
  EXPECT_EQ(out.form, OutlineForm::Polygon);
  EXPECT_TRUE(out.fillable);
  ASSERT_GE(out.points.size(), 4u);
  EXPECT_EQ(out.points.front(), (Point{98, 17}));
  EXPECT_EQ(out.points[out.points.size() - 3], (Point{98, -17}));
  EXPECT_EQ(out.points[out.points.size() - 2], (Point{0, 0}));
  EXPECT_EQ(out.points.back(), (Point{98, 17}));
  bool crossesZero = false;
  for (std::size_t k = 0; k + 2 < out.points.size(); ++k) {
    EXPECT_GT(out.points[k].x, 90);
    crossesZero |= out.points[k].x == 99 && std::abs(out.points[k].y) <= 1;
  }
  EXPECT_TRUE(crossesZero);
  EXPECT_EQ(ArcSamples({0, 0}, {98, 17}, {98, -17}).count, 22);
}

TEST(ArcOutline, SampleCountsAndDegenerateSweeps) {
  EXPECT_EQ(ArcSamples({0, 0}, {1000, 0}, {-1000, 0}).count, 200);
  std::vector<Point> arc;
  ArcPoints({0, 0}, {1000, 0}, {-1000, 0}, arc);
  EXPECT_EQ(arc.size(), 200u);
  EXPECT_EQ(arc.back(), (Point{-1000, 0}));
  // A tiny arc: samples that round onto their predecessor are dropped; the end is not.
  ArcPoints({0, 0}, {1, 0}, {0, -1}, arc);
  EXPECT_EQ(arc, (std::vector<Point>{{1, 0}, {1, -1}, {0, -1}, {0, -1}}));
  // S = E: sweep 0, drawn as S, the end point, C and S.
  ItemList list;
  const Outline pie = OutlineOf(AddShape(list, kKindPie, {{0, 0}, {50, 0}, {50, 0}}));
  EXPECT_EQ(pie.points, (std::vector<Point>{{50, 0}, {50, 0}, {0, 0}, {50, 0}}));
  const Outline open = OutlineOf(AddShape(list, kKindArc, {{0, 0}, {0, -50}, {50, 0}}));
  EXPECT_EQ(open.form, OutlineForm::Polyline);
  EXPECT_EQ(open.points.front(), (Point{0, -50}));
  EXPECT_EQ(open.points.back(), (Point{50, 0}));
}

TEST(EllipseBezier, SidePointOnTheAxisGivesASegment) {
  const EllipseChain flat = EllipseBezier({100, 100}, {150, 100}, {120, 100});
  for (Point p : flat.points)
    EXPECT_EQ(p.y, 100);
  EXPECT_EQ(flat.points[2], (Point{72, 100}));  // kx = round(100 * 0.27614237) = 28
  EXPECT_EQ(flat.box, (BoundingBox{50, 100, 150, 100}));
  const EllipseChain upright = EllipseBezier({0, 0}, {0, -50}, {20, 0});
  EXPECT_EQ(upright.points.front(), (Point{0, 50}));
  EXPECT_EQ(upright.points.back(), upright.points.front());
  EXPECT_EQ(upright.box, (BoundingBox{-20, -50, 20, 50}));
}

TEST(CurveOutline, RepeatedPointIsSkippedWithItsControls) {
  ItemList list;
  ItemRecord& curve = AddShape(list, kKindCurve, {{0, 0}, {100, 0}, {100, 0}, {200, 100}});
  ItemRecord& plain = AddShape(list, kKindCurve, {{0, 0}, {100, 0}, {200, 100}});
  const Point handles[4][2] = {
      {{10, 1}, {20, 2}}, {{30, 3}, {40, 4}}, {{-9, -9}, {-8, -8}}, {{50, 5}, {60, 6}}};
  for (int k = 0; k < 4; ++k) {
    curve.points[k].handleIn = handles[k][0];
    curve.points[k].handleOut = handles[k][1];
  }
  for (int k : {0, 1, 2}) {
    const int from = k == 2 ? 3 : k;
    plain.points[k].handleIn = handles[from][0];
    plain.points[k].handleOut = handles[from][1];
  }
  const Outline out = OutlineOf(curve);
  EXPECT_EQ(out.form, OutlineForm::Bezier);
  EXPECT_EQ(out.points,
            (std::vector<Point>{{0, 0}, {10, 1}, {20, 2}, {100, 0}, {30, 3}, {40, 4}, {200, 100}}));
  EXPECT_EQ(OutlineOf(plain).points, out.points);
  curve.setShapeStyle(2);
  const Outline closed = OutlineOf(curve);
  EXPECT_TRUE(closed.fillable);
  EXPECT_EQ(closed.points.size(), 10u);
  EXPECT_EQ(closed.points[7], (Point{50, 5}));  // the last entry's controls close the chain
  EXPECT_EQ(closed.points.back(), (Point{0, 0}));
  const Outline two = OutlineOf(AddShape(list, kKindCurve, {{0, 0}, {9, 9}}, 1));
  EXPECT_EQ(two.form, OutlineForm::Polyline);
  EXPECT_EQ(two.points, (std::vector<Point>{{0, 0}, {9, 9}}));
  EXPECT_EQ(OutlineOf(AddShape(list, kKindCurve, {{0, 0}})).form, OutlineForm::None);
}

TEST(ListOutline, ShapeStyleChoosesPolygonOrPolyline) {
  ItemList list;
  struct Case {
    std::initializer_list<Point> points;
    int32_t style;
    OutlineForm form;
    std::size_t count;
  };
  const Case cases[] = {
      {{{0, 0}, {10, 0}, {10, 10}}, 0, OutlineForm::Polyline, 3},
      {{{0, 0}, {10, 0}, {10, 10}}, 1, OutlineForm::Polyline, 4},
      {{{0, 0}, {10, 0}, {0, 0}}, 1, OutlineForm::Polyline, 3},
      {{{0, 0}, {10, 0}, {10, 10}}, 2, OutlineForm::Polygon, 3},
      {{{0, 0}, {10, 0}}, 2, OutlineForm::Polyline, 2},
      {{{0, 0}}, 2, OutlineForm::None, 0},
  };
  for (const Case& c : cases) {
    const Outline out = OutlineOf(AddShape(list, kKindSpline, c.points, c.style));
    EXPECT_EQ(out.form, c.form) << c.style << " " << c.points.size();
    EXPECT_EQ(out.points.size(), c.count) << c.style << " " << c.points.size();
  }
}

TEST(BuildOutline, ConstructsInTargetPixelsAndReusesItsBuffer) {
  ItemList list;
  ItemRecord& circle = AddShape(list, kKindCircle, {{50, 50}, {51, 51}});
  // Mapped first, then measured: |(92,92) - (90,90)| = 2.83 rounds to 3, not 2 * round(1.41).
  const Outline zoomed = OutlineOf(circle, TargetMapping::Window(2.0, {10, 10}));
  EXPECT_EQ(zoomed.form, OutlineForm::Circle);
  EXPECT_EQ(zoomed.centre, (Point{90, 90}));
  EXPECT_EQ(zoomed.radius, 3);
  Outline out;
  ItemRecord& polygon = AddShape(list, kKindPolygon, {{0, 0}, {100, 0}}, 0, 64);
  BuildOutline(polygon, TargetMapping::Document(), out);
  const Point* storage = out.points.data();
  BuildOutline(polygon, TargetMapping::Output({5, 5}, 1.0, 1.0), out);
  EXPECT_EQ(out.points.data(), storage);
  EXPECT_EQ(out.points.front(), (Point{105, 5}));
}

TEST(CurveHandles, MiddleTangentIsPerpendicularToTheCornersBisector) {
  std::vector<PointEntry> points(3);
  points[0].point = {0, 100};
  points[1].point = {100, 0};
  points[2].point = {200, 100};
  RecomputeCurveHandles(points, 0.27614237, 0);
  EXPECT_EQ(points[1].handleIn, (Point{139, 0}));
  EXPECT_EQ(points[0].handleOut, (Point{61, 0}));
  EXPECT_EQ(points[0].handleIn, (Point{28, 72}));    // the open start points at its neighbour
  EXPECT_EQ(points[1].handleOut, (Point{172, 72}));  // and so does the open end
  // Closed: the ends are corners of the ring too.
  RecomputeCurveHandles(points, 0.27614237, 1);
  EXPECT_EQ(points[1].handleIn, (Point{139, 0}));
  EXPECT_EQ(points[0].handleIn, (Point{-15, 64}));
  EXPECT_EQ(points[1].handleOut, (Point{215, 64}));
  EXPECT_EQ(points[2].handleIn, (Point{179, 151}));
  EXPECT_EQ(points[2].handleOut, (Point{21, 151}));  // arrives at the first point
}

}  // namespace
}  // namespace quillon
