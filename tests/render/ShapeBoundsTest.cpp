// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ShapeBounds.h"

#include <gtest/gtest.h>

#include "RenderFixtures.h"

namespace quillon {
namespace {

using test::AddSegmentItem;
using test::AddShape;

std::vector<int32_t> Box(const ItemRecord& r) {
  return {r.x1(),        r.y1(),       r.x2(),         r.y2(),
          r.boundLeft(), r.boundTop(), r.boundRight(), r.boundBottom()};
}

TEST(RecomputeBounds, OutlineBoxByKindGrownByThePenOrHalfAHandle) {
  ItemList list;
  struct Case {
    int32_t kind;
    std::initializer_list<Point> points;
    std::vector<int32_t> box;  // x1, y1, x2, y2
  };
  const Case cases[] = {
      {kKindRectangle, {{10, 10}, {50, 10}, {50, 30}, {10, 30}}, {6, 6, 54, 34}},
      {kKindCircle, {{100, 100}, {103, 104}}, {91, 91, 109, 109}},
      {kKindEllipse, {{0, 0}, {100, 0}, {0, -30}}, {-104, -104, 104, 104}},
      {kKindPolygon, {{0, 0}, {0, 0}}, {-5, -5, 5, 5}},  // at least a radius of 1
      {kKindStar, {{0, 0}, {0, -50}, {20, 0}}, {-54, -54, 54, 54}},
      {kKindArc, {{0, 0}, {100, 0}, {0, -100}}, {-5, -106, 106, 5}},
      {kKindPie, {{500, 500}, {600, 510}, {600, 490}}, {496, 485, 606, 515}},
  };
  for (const Case& c : cases) {
    ItemRecord& r = AddShape(list, c.kind, c.points, 2);
    std::vector<int32_t> corners = Box(r);
    corners.resize(4);
    EXPECT_EQ(corners, c.box) << c.kind;
  }
  ItemRecord& box = AddShape(list, kKindRectangle, {{10, 10}, {50, 10}, {50, 30}, {10, 30}}, 2);
  EXPECT_EQ(box.boundWidth(), 48);
  EXPECT_EQ(box.boundHeight(), 28);
  EXPECT_EQ(box.diagonal(), 56);
  EXPECT_DOUBLE_EQ(box.realX1(), 6 * 96 / 25.4);
  box.setPenWidth(9);
  RecomputeBounds(box, GeometryContext{});
  EXPECT_EQ(Box(box), (std::vector<int32_t>{1, 1, 59, 39, 1, 1, 59, 39}));
  ItemRecord& curve = AddShape(list, kKindCurve, {{0, 0}, {100, 0}});
  curve.points[0].handleIn = {50, -80};
  RecomputeBounds(curve, GeometryContext{});
  EXPECT_EQ(curve.y1(), -84);  // control points count for curves
}

TEST(NewShapeBounds, ClickedShapesUseTheirRadiusWithoutMargin) {
  ItemList list;
  ItemRecord& circle = AddShape(list, kKindCircle, {{100, 100}, {103, 104}});
  NewShapeBounds(circle, GeometryContext{});
  EXPECT_EQ(Box(circle), (std::vector<int32_t>{95, 95, 105, 105, 95, 95, 105, 105}));
  ItemRecord& star = AddShape(list, kKindStar, {{0, 0}, {0, -50}, {20, 0}});
  NewShapeBounds(star, GeometryContext{});
  EXPECT_EQ(star.x2(), 50);
  ItemRecord& pie = AddShape(list, kKindPie, {{0, 0}, {100, 0}, {0, -100}});
  pie.setLineWeight(3.0);  // PixelWidth 11 beats half a handle
  GeometryContext zoomed;
  zoomed.zoom = 4;  // the stored box does not depend on the zoom
  NewShapeBounds(pie, zoomed);
  EXPECT_EQ(Box(pie), (std::vector<int32_t>{-11, -111, 111, 11, -11, -111, 111, 11}));
  // An arc is its whole circle, an ellipse the circle of its larger semi-axis.
  ItemRecord& arc = AddShape(list, kKindArc, {{0, 0}, {100, 0}, {0, -100}});
  arc.setLineWeight(3.0);
  NewShapeBounds(arc, GeometryContext{});
  EXPECT_EQ(Box(arc), (std::vector<int32_t>{-100, -100, 100, 100, -100, -100, 100, 100}));
  ItemRecord& ellipse = AddShape(list, kKindEllipse, {{0, 0}, {30, 0}, {10, -50}});
  NewShapeBounds(ellipse, GeometryContext{});
  EXPECT_EQ(Box(ellipse), (std::vector<int32_t>{-50, -50, 50, 50, -50, -50, 50, 50}));
}

TEST(BoundsAfterTransform, DefiningPointsRoundPicturesAndTextBlocks) {
  ItemList list;
  ItemRecord& line = AddSegmentItem(list, kKindLine, {50, 10}, {10, 40});
  BoundsAfterTransform(line, GeometryContext{});
  EXPECT_EQ(Box(line), (std::vector<int32_t>{50, 10, 10, 40, 10, 10, 50, 40}));
  EXPECT_EQ(line.diagonal(), 50);
  EXPECT_DOUBLE_EQ(line.angle(), AngleOf({50, 10}, {10, 40}));
  ItemRecord& round = AddSegmentItem(list, kKindPicture, {0, 0}, {3, 4});
  round.setClipShape(2);
  BoundsAfterTransform(round, GeometryContext{});
  EXPECT_EQ(Box(round), (std::vector<int32_t>{0, 0, 3, 4, -5, -5, 5, 5}));
  EXPECT_EQ(round.boundWidth(), 10);
  const test::FixedTextMetrics metrics({10, 3, 1, 0});
  GeometryContext context;
  context.text = &metrics;
  ItemRecord& text = AddSegmentItem(list, kKindText, {100, 100}, {200, 100});
  SetText(text, u"One line");
  BoundsAfterTransform(text, context);
  EXPECT_EQ(Box(text), (std::vector<int32_t>{100, 100, 200, 100, 97, 86, 203, 106}));
  EXPECT_EQ(text.boundWidth(), 100);
  const TextBlock block = TextRect(text, metrics.Measure(text, 1), context.textHandle);
  EXPECT_EQ(block.corners, (Quad{{{100, 89}, {200, 89}, {200, 103}, {100, 103}}}));
}

}  // namespace
}  // namespace quillon
