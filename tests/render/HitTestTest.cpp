// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/HitTest.h"

#include <gtest/gtest.h>

#include <numbers>
#include <random>

#include "RenderFixtures.h"
#include "render/Coordinates.h"
#include "render/Curves.h"
#include "render/Outlines.h"

namespace quillon {
namespace {

using test::AddSegmentItem;
using test::AddShape;

constexpr double kPi = std::numbers::pi;

GeometryContext Context(double zoom = 1.0, const TextMetrics* text = nullptr) {
  GeometryContext context;
  context.zoom = zoom;
  context.text = text;
  return context;
}

std::optional<int32_t> Distance(const ItemRecord& item, Point d, double zoom = 1.0) {
  return OutlineDistance(item, d, Context(zoom));
}

TEST(PickItem, TenDocumentPixelsPickAThinLineAndElevenDoNotAtAnyZoom) {
  ItemList list;
  ItemRecord& line = AddSegmentItem(list, kKindLine, {0, 100}, {400, 100});
  for (double zoom : {1.0, 1.25, 2.0, 3.0}) {
    const Point scroll{7, -3};
    for (int32_t offset : {10, 11, -10, -11}) {
      const Point target{200, 100 + offset};
      const Point click = ToWindowPoint(target, zoom, scroll);
      ASSERT_EQ(ToDocumentPoint(click, zoom, scroll), target) << zoom;
      const bool near = std::abs(offset) <= 10;
      EXPECT_EQ(PickItem(list, click, scroll, false, Context(zoom)), near ? &line : nullptr)
          << zoom << " " << offset;
      EXPECT_EQ(line.selected() != 0, near);
    }
  }
}

TEST(PickItem, InsideOfAFilledShapeDoesNotCount) {
  ItemList list;
  ItemRecord& box = AddShape(list, kKindRectangle, {{0, 0}, {400, 0}, {400, 300}, {0, 300}}, 2);
  EXPECT_EQ(ChoosePickedItem(list, {200, 150}, Context()), nullptr);
  EXPECT_EQ(ChoosePickedItem(list, {200, 295}, Context()), &box);
  EXPECT_EQ(ChoosePickedItem(list, {5, 150}, Context()), &box);  // the closing side
}

TEST(PickItem, EqualDistancesGoToTheHigherStackLevel) {
  for (bool higherFirst : {false, true}) {
    ItemList list;
    ItemRecord& a = AddSegmentItem(list, kKindLine, {0, 0}, {100, 0});
    ItemRecord& b = AddSegmentItem(list, kKindLine, {0, 0}, {100, 0});
    ItemRecord& top = higherFirst ? a : b;
    top.setStackLevel(9);
    EXPECT_EQ(ChoosePickedItem(list, {50, 4}, Context()), &top);
    // A nearer item wins whatever its level.
    ItemRecord& near = AddSegmentItem(list, kKindLine, {0, 3}, {100, 3});
    near.setStackLevel(1);
    EXPECT_EQ(ChoosePickedItem(list, {50, 4}, Context()), &near);
    near.setHidden(255);
    EXPECT_EQ(ChoosePickedItem(list, {50, 4}, Context()), &top);
    top.setSetAside(255);
    EXPECT_EQ(ChoosePickedItem(list, {50, 4}, Context()), higherFirst ? &b : &a);
  }
}

TEST(PickItem, AGroupIsSelectedAndDeselectedAsAWhole) {
  ItemList list;
  ItemRecord& a = AddSegmentItem(list, kKindLine, {0, 0}, {100, 0});
  ItemRecord& b = AddSegmentItem(list, kKindLine, {0, 200}, {100, 200});
  ItemRecord& other = AddSegmentItem(list, kKindLine, {0, 400}, {100, 400});
  ItemRecord& frame = AddSegmentItem(list, kKindGroupFrame, {50, 100}, {50, 100});
  for (ItemRecord* r : {&a, &b, &frame})
    r->setGroupNumber(1);
  other.setSelected(255);
  EXPECT_EQ(PickItem(list, {50, 2}, {0, 0}, false, Context()), &a);
  for (ItemRecord* r : {&a, &b, &frame})
    EXPECT_NE(r->selected(), 0);
  EXPECT_EQ(other.selected(), 0);
  EXPECT_EQ(PickItem(list, {50, 398}, {0, 0}, true, Context()), &other);
  EXPECT_NE(other.selected(), 0);
  EXPECT_EQ(PickItem(list, {50, 2}, {0, 0}, true, Context()), &a);
  for (ItemRecord* r : {&a, &b, &frame})
    EXPECT_EQ(r->selected(), 0);
  EXPECT_NE(other.selected(), 0);
  EXPECT_EQ(PickItem(list, {500, 500}, {0, 0}, false, Context()), nullptr);
  EXPECT_EQ(other.selected(), 0);
}

// The choice without any shortcut: every item's full distance, the same tie rules.
ItemRecord* ExhaustivePick(const ItemList& list, Point d, const GeometryContext& context) {
  int32_t best = context.PickTolerance(), bestLevel = 0;
  ItemRecord* found = nullptr;
  for (ItemRecord& r : list) {
    if (!IsVisible(r)) continue;
    const std::optional<int32_t> t = OutlineDistance(r, d, context);
    if (!t) continue;
    if (r.kind() == kKindPicture && r.clipShape() == 2) {
      if (*t < best) best = *t, found = &r;
    } else if (*t < best || (*t == best && bestLevel < r.stackLevel())) {
      best = *t, bestLevel = r.stackLevel(), found = &r;
    }
  }
  return found;
}

TEST(ChoosePickedItem, ShortcutsAgreeWithTheExhaustiveChoice) {
  std::mt19937 random(11);
  std::uniform_int_distribution<int32_t> place(0, 600), size(3, 150), weight(0, 40);
  std::uniform_real_distribution<double> turn(0, 2 * kPi);
  const test::FixedTextMetrics metrics({12, 3, 1, 0});
  ItemList list;
  const int32_t kinds[] = {kKindLine,    kKindText,  kKindRectangle, kKindCircle,
                           kKindEllipse, kKindStar,  kKindPie,       kKindArc,
                           kKindSpline,  kKindCurve, kKindPicture};
  for (int i = 0; i < 500; ++i) {
    const int32_t kind = kinds[i % std::size(kinds)];
    const Point c{place(random), place(random)};
    const Point p = PolarPoint(c, size(random), turn(random));
    ItemRecord& r = IsPointListKind(kind) ? AddShape(list, kind, {c, p}, i % 3)
                                          : AddSegmentItem(list, kind, c, p);
    r.setLineWeight(weight(random) / 10.0);
    r.setStackLevel(int32_t(random() % 50));
    if (kind == kKindText) SetText(r, i % 2 ? u"A" : u"A\u07ECB");
    if (kind == kKindPicture) r.setRotation(i % 4 ? turn(random) : 0);
    if (kind == kKindPicture && i % 5 == 0) r.setClipShape(2);
    if (kind == kKindEllipse || kind == kKindPie || kind == kKindArc) {
      NewPoint(r.points).point = PolarPoint(c, size(random), turn(random));
    }
    if (kind == kKindStar) {
      r.setSides(5);
      StarVertices(c, PolarPoint(c, size(random), 0), 5, p, r.points);
    }
    if (kind == kKindSpline || kind == kKindCurve) {
      for (int k = 0; k < 4; ++k)
        NewPoint(r.points).point = PolarPoint(c, size(random), turn(random));
      RecomputeCurveHandles(r.points, r.curveFactor(), r.shapeStyle());
    }
  }
  int picked = 0;
  for (double zoom : {0.5, 1.0, 3.0}) {
    const GeometryContext context = Context(zoom, &metrics);
    for (int click = 0; click < 300; ++click) {
      const Point d{place(random), place(random)};
      ItemRecord* expected = ExhaustivePick(list, d, context);
      ASSERT_EQ(ChoosePickedItem(list, d, context), expected)
          << d.x << "," << d.y << " at " << zoom;
      picked += expected != nullptr;
    }
  }
  EXPECT_GT(picked, 300);  // most clicks land near some outline
}

TEST(OutlineDistance, PolygonCentreIsNoVertexAndPieRadiiCount) {
  ItemList list;
  ItemRecord& polygon = AddShape(list, kKindPolygon, {}, 0, 6);
  PolygonVertices({200, 200}, {250, 200}, 6, polygon.points);
  EXPECT_EQ(Distance(polygon, {200, 200}), 43);  // the sides' distance, not the centre's
  EXPECT_EQ(ChoosePickedItem(list, {200, 200}, Context()), nullptr);
  EXPECT_EQ(Distance(polygon, {240, 180}), 1);
  EXPECT_EQ(Distance(polygon, {260, 200}), std::nullopt);  // beyond both sides of a corner
  ItemRecord& pie = AddShape(list, kKindPie, {{100, 100}, {200, 100}, {100, 0}});
  ItemRecord& arc = AddShape(list, kKindArc, {{100, 100}, {200, 100}, {100, 0}});
  EXPECT_EQ(Distance(pie, {150, 103}), 3);
  EXPECT_GT(*Distance(arc, {150, 103}), 10);
  EXPECT_LE(*Distance(arc, {171, 29}), 1);
  EXPECT_LE(*Distance(pie, {171, 29}), 1);
  EXPECT_EQ(ArcDistance(kKindArc, {0, 0}, {1, 0}, {1, 0}, {5, 5}), kNoArcDistance);
}

TEST(OutlineDistance, CircleAndLineLessHalfTheirWidth) {
  ItemList list;
  ItemRecord& circle = AddShape(list, kKindCircle, {{0, 0}, {50, 0}});
  EXPECT_EQ(Distance(circle, {60, 0}), 10);
  EXPECT_EQ(Distance(circle, {0, -38}), 12);
  circle.setLineWeight(2.0);  // PixelWidth 8: four pixels off
  EXPECT_EQ(Distance(circle, {60, 0}), 6);
  EXPECT_EQ(Distance(circle, {52, 0}), 0);
  ItemRecord& line = AddSegmentItem(list, kKindLine, {0, 0}, {100, 0});
  line.setLineWeight(2.0);  // w = round(7.56) = 8
  EXPECT_EQ(Distance(line, {50, 14}), 10);
  EXPECT_EQ(Distance(line, {50, 1}), 1);
  EXPECT_EQ(Distance(line, {120, 0}), std::nullopt);
}

TEST(OutlineDistance, ShortOrRepeatedSegmentsReachOnlyTheirOwnPoints) {
  ItemList list;
  ItemRecord& spline = AddShape(list, kKindSpline, {{0, 0}, {50, 0}, {50, 0}, {50, 100}});
  EXPECT_EQ(Distance(spline, {50, 300}), 300);
  EXPECT_EQ(Distance(spline, {53, 4}), 3);
  ItemRecord& dot = AddSegmentItem(list, kKindLine, {0, 0}, {2, 0});
  EXPECT_EQ(Distance(dot, {1, 500}), 500);
  EXPECT_EQ(Distance(dot, {5, 4}), 5);
}

TEST(EllipseDistance, MeasuresToTheOutline) {
  struct Case {
    Point p, q, d;
    int32_t distance;
  };
  const Case cases[] = {
      {{100, 0}, {0, -50}, {110, 0}, 10}, {{100, 0}, {0, -50}, {0, -60}, 10},
      {{100, 0}, {0, -50}, {0, -40}, 10}, {{100, 0}, {0, -50}, {60, -40}, 0},
      {{100, 0}, {0, -50}, {0, 0}, 50},   {{0, -30}, {80, 0}, {90, 0}, 10},
      {{50, 0}, {0, 50}, {0, 61}, 11},  // round half axes agree: a circle
      {{100, 0}, {30, 0}, {0, 5}, 5},   // side point on the axis: a segment
      {{100, 0}, {30, 0}, {110, 0}, 10},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EllipseDistance({0, 0}, c.p, c.d, c.q), c.distance) << c.d.x << "," << c.d.y;
  }
  ItemList list;
  ItemRecord& ellipse = AddShape(list, kKindEllipse, {{0, 0}, {100, 0}, {0, -50}});
  ellipse.setLineWeight(2.0);
  EXPECT_EQ(Distance(ellipse, {110, 0}), 6);
}

TEST(CurveSegmentDistance, StraightPieceBetweenThePulledControls) {
  PointEntry p, q;
  p.point = {0, 0};
  p.handleIn = {30, -30};
  p.handleOut = {70, -30};
  q.point = {100, 0};
  EXPECT_EQ(CurveSegmentDistance(p, q, {50, -20}), 4);  // the piece runs at y = -16
  EXPECT_EQ(CurveSegmentDistance(p, q, {50, 0}), 16);
  EXPECT_EQ(CurveSegmentDistance(p, q, {-5, 0}), 5);  // beyond the piece: the end point
}

TEST(OutlineDistance, PicturesByTheirSidesOrRim) {
  ItemList list;
  ItemRecord& picture = AddSegmentItem(list, kKindPicture, {100, 100}, {300, 200});
  EXPECT_EQ(Distance(picture, {200, 105}), 5);
  EXPECT_EQ(Distance(picture, {200, 150}), 50);
  picture.setRotation(kPi / 2);
  EXPECT_EQ(Distance(picture, {150, 150}), 0);
  EXPECT_EQ(Distance(picture, {100, 150}), 50);
  ItemRecord& round = AddSegmentItem(list, kKindPicture, {100, 100}, {150, 100});
  round.setClipShape(2);
  EXPECT_EQ(Distance(round, {155, 100}), 5);
  EXPECT_EQ(Distance(round, {100, 100}), 50);
}

TEST(OutlineDistance, TextBlockCountsAsOne) {
  const test::FixedTextMetrics metrics({10, 3, 1, 0});
  ItemList list;
  ItemRecord& text = AddSegmentItem(list, kKindText, {100, 100}, {200, 100});
  SetText(text, u"Hello");
  for (double zoom : {1.0, 2.0}) {
    const GeometryContext context = Context(zoom, &metrics);
    EXPECT_EQ(OutlineDistance(text, {150, 95}, context), 1) << zoom;
    EXPECT_EQ(OutlineDistance(text, {150, 108}, context), 8) << zoom;
    EXPECT_EQ(OutlineDistance(text, {150, 80}, context), 20) << zoom;
    EXPECT_EQ(OutlineDistance(text, {90, 80}, context), std::nullopt) << zoom;
  }
  SetText(text, u"Two\u07ECLines");  // 2 ascents and one descent plus leading: up to y = 79
  EXPECT_EQ(OutlineDistance(text, {150, 81}, Context(1.0, &metrics)), 1);
  EXPECT_EQ(OutlineDistance(text, {150, 95}, Context(1.0)), 5);  // no metrics: the baseline
}

TEST(InArea, WholeBoundsOrCrossedEdges) {
  const GeometryContext context;
  ItemList list;
  ItemRecord& line = AddSegmentItem(list, kKindLine, {10, 10}, {50, 50});
  EXPECT_TRUE(InArea({0, 0, 100, 100}, line, false, context));
  EXPECT_TRUE(InArea({100, 100, 0, 0}, line, false, context));
  EXPECT_FALSE(InArea({20, 0, 100, 100}, line, false, context));
  EXPECT_TRUE(InArea({20, 0, 100, 100}, line, true, context));
  EXPECT_FALSE(InArea({60, 60, 100, 100}, line, true, context));
  line.setHidden(255);
  EXPECT_FALSE(InArea({0, 0, 100, 100}, line, false, context));
  ItemRecord& box = AddShape(list, kKindRectangle, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, 2);
  EXPECT_FALSE(InArea({30, 30, 60, 60}, box, true, context));  // inside, crossing nothing
  EXPECT_TRUE(InArea({-10, 40, 10, 60}, box, true, context));  // crosses the closing side
  box.setShapeStyle(0);
  EXPECT_FALSE(InArea({-10, 40, 10, 60}, box, true, context));
  EXPECT_TRUE(InArea({90, 40, 110, 60}, box, true, context));
  ItemRecord& flat = AddSegmentItem(list, kKindLine, {0, 50}, {100, 50});
  EXPECT_TRUE(InArea({20, 50, 30, 80}, flat, true, context));  // along an edge of the area
  ItemRecord& picture = AddSegmentItem(list, kKindPicture, {100, 100}, {300, 200});
  picture.setRotation(kPi / 2);
  EXPECT_TRUE(InArea({140, 240, 160, 260}, picture, true, context));
  EXPECT_FALSE(InArea({90, 90, 110, 110}, picture, true, context));
}

}  // namespace
}  // namespace quillon
