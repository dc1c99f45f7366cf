// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ShapeCommands.h"

#include <gtest/gtest.h>

#include "RenderFixtures.h"
#include "render/Coordinates.h"
#include "render/Curves.h"
#include "render/Outlines.h"

namespace quillon {
namespace {

using test::AddShape;
using test::OutlinePoints;

TEST(SetSidesOrSpikes, RebuildsSelectedPolygonsAndStarsOnly) {
  ItemList list;
  ItemRecord& polygon = AddShape(list, kKindPolygon, {}, 0, 6);
  PolygonVertices({100, 100}, {150, 100}, 6, polygon.points);
  ItemRecord& star = AddShape(list, kKindStar, {}, 0, 5);
  StarVertices({300, 300}, {300, 280}, 5, {300, 250}, star.points);
  ItemRecord& other = AddShape(list, kKindPolygon, {}, 0, 6);
  PolygonVertices({0, 0}, {10, 0}, 6, other.points);
  ItemRecord& box = AddShape(list, kKindRectangle, {{0, 0}, {9, 0}, {9, 9}, {0, 9}}, 2);
  for (ItemRecord* r : {&polygon, &star, &box})
    r->setSelected(255);
  SetSidesOrSpikes(list, 4, GeometryContext{});
  EXPECT_EQ(polygon.sides(), 4);
  EXPECT_EQ(
      OutlinePoints(polygon),
      (std::vector<Point>{{100, 100}, {150, 100}, {100, 50}, {50, 100}, {100, 150}, {150, 100}}));
  EXPECT_EQ(polygon.x1(), 46);  // bounds recomputed: centre - 50 - half a handle
  EXPECT_EQ(star.sides(), 4);
  ASSERT_EQ(star.points.size(), 10u);
  EXPECT_EQ(star.points[1].point, (Point{300, 250}));
  EXPECT_NEAR(DistanceOf({300, 300}, star.points[2].point), 20, 1);
  EXPECT_EQ(other.sides(), 6);  // not selected
  EXPECT_EQ(other.points.size(), 8u);
  EXPECT_EQ(box.points.size(), 4u);
  EXPECT_EQ(box.sides(), 0);
}

TEST(SetSidesOrSpikes, AnOutOfRangeCountDrawsNothingAndKeepsWhatRebuildsTheShape) {
  ItemList list;
  ItemRecord& star = AddShape(list, kKindStar, {}, 0, 5);
  StarVertices({300, 300}, {300, 280}, 5, {300, 250}, star.points);
  star.setSelected(255);
  for (int32_t count : {2, 1024001}) {
    SetSidesOrSpikes(list, count, GeometryContext{});
    EXPECT_EQ(star.sides(), count);
    EXPECT_EQ(star.points.size(), 3u);
    Outline outline;
    BuildOutline(star, TargetMapping::Document(), outline);
    EXPECT_EQ(outline.form, OutlineForm::None);
  }
  SetSidesOrSpikes(list, 3, GeometryContext{});
  ASSERT_EQ(star.points.size(), 8u);
  EXPECT_NEAR(DistanceOf({300, 300}, star.points[2].point), 20, 1);
}

TEST(SetShapeStyle, CurvesGetTheControlPointsOfTheirStyle) {
  ItemList list;
  const std::initializer_list<Point> corners{{0, 100}, {100, 0}, {200, 100}, {120, 160}};
  ItemRecord& curve = AddShape(list, kKindCurve, corners);
  ItemRecord& spline = AddShape(list, kKindSpline, corners);
  RecomputeCurveHandles(curve.points, curve.curveFactor(), 0);
  curve.setSelected(255);
  spline.setSelected(255);
  curve.setCurveFactor(0.5);
  SetShapeStyle(list, 1, GeometryContext{});
  std::vector<PointEntry> expected = curve.points;
  RecomputeCurveHandles(expected, 0.5, 1);
  for (std::size_t k = 0; k < expected.size(); ++k) {
    EXPECT_EQ(curve.points[k].handleIn, expected[k].handleIn) << k;
    EXPECT_EQ(curve.points[k].handleOut, expected[k].handleOut) << k;
  }
  EXPECT_EQ(curve.shapeStyle(), 1);
  EXPECT_EQ(spline.shapeStyle(), 1);
  int32_t lowest = 0;
  for (const PointEntry& e : curve.points) {
    lowest = std::max({lowest, e.point.y, e.handleIn.y, e.handleOut.y});
  }
  EXPECT_EQ(curve.y2(), lowest + 4);  // bounds recomputed with the new control points
  curve.setHidden(255);               // a superseded version is not selected any more
  SetShapeStyle(list, 0, GeometryContext{});
  EXPECT_EQ(curve.shapeStyle(), 1);
  EXPECT_EQ(spline.shapeStyle(), 0);
}

}  // namespace
}  // namespace quillon
