// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Transforms.h"

#include <gtest/gtest.h>

#include <numbers>
#include <random>

#include "RenderFixtures.h"
#include "render/Curves.h"
#include "render/HitTest.h"
#include "render/Outlines.h"
#include "support/DocumentFixtures.h"

namespace quillon {
namespace {

using test::AddSegmentItem;
using test::AddShape;
using test::OutlinePoints;

constexpr double kPi = std::numbers::pi;

std::vector<Point> AllPoints(const ItemRecord& r) {
  std::vector<Point> points;
  for (const PointEntry& e : r.points) {
    points.insert(points.end(), {e.point, e.handleIn, e.handleOut});
  }
  return points;
}

TEST(RotatePoints, FullTurnInSmallStepsEndsExactlyWhereItStarted) {
  ItemList list;
  ItemRecord& curve =
      AddShape(list, kKindCurve, {{103, 7}, {250, 90}, {180, 260}, {20, 199}, {-75, 40}}, 1);
  RecomputeCurveHandles(curve.points, curve.curveFactor(), 1);
  Snapshot(curve.points);
  const std::vector<Point> start = AllPoints(curve);
  const Point pivot = MeanPoint(curve.points);
  for (int step = 1; step <= 360; ++step)
    RotatePoints(curve.points, pivot, step * kPi / 180);
  EXPECT_EQ(AllPoints(curve), start);
}

TEST(TranslatePoints, EveryMoveStartsFromTheSnapshot) {
  ItemList list;
  ItemRecord& spline = AddShape(list, kKindSpline, {{0, 0}, {10, 5}});
  TranslatePoints(spline.points, 3, 4);
  TranslatePoints(spline.points, 7, -1);
  EXPECT_EQ(OutlinePoints(spline), (std::vector<Point>{{7, -1}, {17, 4}}));
}

// Random shapes of every point-list kind around a random place.
ItemRecord& RandomShape(ItemList& list, std::mt19937& random) {
  std::uniform_int_distribution<int32_t> place(-200000, 200000), size(20, 3000);
  std::uniform_real_distribution<double> turn(0, 2 * kPi), sweep(0.3, 6.0);
  const Point c{place(random), place(random)};
  const double r = size(random), phase = turn(random);
  const auto at = [&](double radius, double angle) { return PolarPoint(c, radius, angle); };
  const int32_t kinds[] = {kKindTriangle, kKindRectangle, kKindCircle, kKindEllipse, kKindPolygon,
                           kKindStar,     kKindPie,       kKindArc,    kKindSpline,  kKindCurve};
  const int32_t kind = kinds[random() % 10];
  ItemRecord& shape = AddShape(list, kind, {}, kind == kKindCurve ? 0 : 2);
  switch (kind) {
    case kKindRectangle:
      RectangleFromSide(c, at(r, phase), at(2 * r, phase + 1), shape.points);
      break;
    case kKindCircle:
      CircleFromClicks(c, at(r, phase), shape.points);
      break;
    case kKindEllipse:
      for (Point p : {c, at(r, phase), at(r / 2, phase + 1.2)})
        NewPoint(shape.points).point = p;
      break;
    case kKindPolygon:
      shape.setSides(3 + random() % 9);
      PolygonVertices(c, at(r, phase), shape.sides(), shape.points);
      break;
    case kKindStar:
      shape.setSides(3 + random() % 9);
      StarVertices(c, at(r / 3, 0), shape.sides(), at(r, phase), shape.points);
      break;
    case kKindPie:
    case kKindArc:
      ArcFromClicks(c, at(r, phase), at(r, phase + sweep(random)), shape.points);
      break;
    default:
      for (int k = 0; k < 3 + int(random() % 5); ++k) {
        PointEntry& e = NewPoint(shape.points);
        e.point = at(size(random), turn(random));
      }
      if (kind == kKindCurve) RecomputeCurveHandles(shape.points, shape.curveFactor(), 0);
      break;
  }
  Snapshot(shape.points);
  RecomputeBounds(shape, GeometryContext{});
  return shape;
}

// A point on the item's outline: a vertex of polygons, stars and curves (whose chains also hold
// control points), a point of the drawn outline otherwise.
Point PointOnOutline(const ItemRecord& shape) {
  if (shape.kind() == kKindPolygon || shape.kind() == kKindStar) return shape.points[2].point;
  Outline outline;
  BuildOutline(shape, TargetMapping::Document(), outline);
  if (outline.form == OutlineForm::Circle) {
    return {outline.centre.x + outline.radius, outline.centre.y};
  }
  if (outline.form == OutlineForm::Bezier) return outline.points[outline.points.size() / 6 * 3];
  return outline.points[outline.points.size() / 2];
}

TEST(TransformProperty, TurnAndBackRestoresAndAMovedShapeIsPickedOnItsOutline) {
  std::mt19937 random(20260505);
  std::uniform_int_distribution<int32_t> shift(-50000, 50000);
  std::uniform_real_distribution<double> angle(-2 * kPi, 2 * kPi);
  for (int round = 0; round < 300; ++round) {
    ItemList list;
    ItemRecord& shape = RandomShape(list, random);
    const std::vector<Point> start = AllPoints(shape);
    const Point pivot{shift(random), shift(random)};
    RotatePoints(shape.points, pivot, angle(random));
    RotatePoints(shape.points, pivot, 0);
    ASSERT_EQ(AllPoints(shape), start) << "round " << round << " kind " << shape.kind();

    TranslatePoints(shape.points, shift(random), shift(random));
    Snapshot(shape.points);
    RecomputeBounds(shape, GeometryContext{});
    const Point onOutline = PointOnOutline(shape);
    EXPECT_EQ(ChoosePickedItem(list, onOutline, GeometryContext{}), &shape)
        << "round " << round << " kind " << shape.kind();
  }
}

TEST(MirrorPoints, APieKeepsItsSweepOnTheMirroredSide) {
  ItemList list;
  ItemRecord& pie = AddShape(list, kKindPie, {{100, 100}, {200, 100}, {100, 0}});
  MirrorPoints(pie.points, {100, 100}, kKindPie, false, true);
  EXPECT_EQ(OutlinePoints(pie), (std::vector<Point>{{100, 100}, {100, 0}, {0, 100}}));
  EXPECT_EQ(pie.points[1].pointAtDragStart, (Point{100, 0}));
  EXPECT_NEAR(ArcSamples({100, 100}, {100, 0}, {0, 100}).sweep, kPi / 2, 1e-12);
  MirrorPoints(pie.points, {0, 50}, kKindPie, true, false);
  EXPECT_EQ(OutlinePoints(pie), (std::vector<Point>{{100, 0}, {0, 0}, {100, 100}}));
  // Mirrored and flipped at once is a half turn: the sweep already runs the right way.
  MirrorPoints(pie.points, {50, 50}, kKindPie, true, true);
  EXPECT_EQ(OutlinePoints(pie), (std::vector<Point>{{0, 100}, {100, 100}, {0, 0}}));
}

TEST(MoveArcCentre, KeepsTheChordOrRefusesWhenItCannotFit) {
  ItemList list;
  ItemRecord& pie = AddShape(list, kKindPie, {{0, 0}, {100, 0}, {0, -100}});
  const std::vector<Point> before = OutlinePoints(pie);
  EXPECT_FALSE(MoveArcCentre(pie, {100, 10}, GeometryContext{}));
  EXPECT_EQ(OutlinePoints(pie), before);
  EXPECT_TRUE(MoveArcCentre(pie, {10, 0}, GeometryContext{}));
  ASSERT_EQ(pie.points.size(), 3u);
  EXPECT_EQ(pie.points[0].point, (Point{10, 0}));
  EXPECT_EQ(pie.points[1].point, (Point{100, 0}));
  EXPECT_NEAR(DistanceOf(pie.points[1].point, pie.points[2].point), DistanceOf({100, 0}, {0, -100}),
              1.5);
  EXPECT_NEAR(DistanceOf({10, 0}, pie.points[2].point), 90, 1);
  EXPECT_LT(pie.points[2].point.y, 0);                           // still the counter-clockwise side
  EXPECT_TRUE(MoveArcCentre(pie, {100, 0}, GeometryContext{}));  // onto the start: no crash
}

TEST(ConstrainToDirection, SteepDirectionsMoveXOthersMoveY) {
  struct Case {
    double degrees;
    Point result;
  };
  const Case cases[] = {{-1, {30, -10}},  {0, {30, 0}},        {180, {30, 0}},    {90, {0, -10}},
                        {270, {0, -10}},  {45, {10, -10}},     {135, {-10, -10}}, {30, {30, -17}},
                        {300, {-6, -10}}, {359.99999, {30, 0}}};
  for (const Case& c : cases) {
    EXPECT_EQ(ConstrainToDirection({0, 0}, {30, -10}, c.degrees), c.result) << c.degrees;
  }
  EXPECT_EQ(ConstrainToDirection({0, 0}, {30, -10}, std::nan("")), (Point{30, 0}));
}

TEST(MoveAlong, AxisDirectionsMoveExactly) {
  struct Case {
    double degrees, t;
    Point result;
  };
  const Case cases[] = {{0, 5.5, {16, 10}},   {180, 5.5, {4, 10}}, {90, 5.5, {10, 4}},
                        {270, 5.5, {10, 16}}, {-1, 5.5, {10, 10}}, {45, 10, {17, 3}}};
  for (const Case& c : cases)
    EXPECT_EQ(MoveAlong({10, 10}, c.degrees, c.t), c.result);
}

TEST(RotateSegment, TextAngleFollowsTheBaseline) {
  ItemList list;
  ItemRecord& text = AddSegmentItem(list, kKindText, {0, 0}, {100, 0});
  TakeReference(text);
  RotateSegment(text, {50, 0}, kPi / 2);
  EXPECT_EQ((Point{text.x1(), text.y1()}), (Point{50, 50}));
  EXPECT_EQ((Point{text.x2(), text.y2()}), (Point{50, -50}));
  EXPECT_EQ(text.textAngle(), 900);
  RotateSegment(text, {50, 0}, -kPi / 2);
  EXPECT_EQ(text.textAngle(), 2700);
  RotateSegment(text, {50, 0}, 0);
  EXPECT_EQ(text.x2(), 100);
}

TEST(OrbitBox, TurnsTheCentreNotTheBox) {
  ItemList list;
  ItemRecord& picture = AddSegmentItem(list, kKindPicture, {0, 0}, {100, 50});
  picture.setRotation(0.1);
  TakeReference(picture);
  OrbitBox(picture, {0, 0}, kPi / 2);
  EXPECT_EQ((std::vector<int32_t>{picture.x1(), picture.y1(), picture.x2(), picture.y2()}),
            (std::vector<int32_t>{-25, -75, 75, -25}));
  EXPECT_DOUBLE_EQ(picture.rotation(), kPi / 2 + 0.1);
  ItemRecord& round = AddSegmentItem(list, kKindPicture, {100, 0}, {130, 0});
  round.setClipShape(2);
  TakeReference(round);
  OrbitBox(round, {0, 0}, kPi / 2);  // the centre itself orbits
  EXPECT_EQ((std::vector<int32_t>{round.x1(), round.y1(), round.x2(), round.y2()}),
            (std::vector<int32_t>{0, -100, 30, -100}));
}

TEST(QuarterTurnAndMirror, ShapesTurnAboutTheirMeanPoint) {
  ItemList list;
  ItemRecord& box = AddShape(list, kKindRectangle, {{0, 0}, {100, 0}, {100, 60}, {0, 60}}, 2);
  ItemRecord& line = AddSegmentItem(list, kKindLine, {0, 0}, {10, 0});
  box.setSelected(255);
  line.setSelected(255);
  QuarterTurnAndMirror(list, false, false, 1, GeometryContext{});
  EXPECT_EQ(OutlinePoints(box), (std::vector<Point>{{20, 80}, {20, -20}, {80, -20}, {80, 80}}));
  EXPECT_EQ(box.points[0].pointAtDragStart, (Point{20, 80}));
  EXPECT_EQ((std::vector<int32_t>{box.x1(), box.y1(), box.x2(), box.y2()}),
            (std::vector<int32_t>{16, -24, 84, 84}));
  EXPECT_EQ(line.x2(), 10);  // lines outside groups stay
  QuarterTurnAndMirror(list, true, false, 0, GeometryContext{});
  EXPECT_EQ(OutlinePoints(box), (std::vector<Point>{{80, 80}, {80, -20}, {20, -20}, {20, 80}}));
}

TEST(QuarterTurnAndMirror, PicturesMirrorTheirSourceAndTurnTheirBox) {
  ItemList list;
  ItemRecord& picture = AddSegmentItem(list, kKindPicture, {100, 100}, {300, 180});
  picture.setSelected(255);
  picture.setSourceWidth(200);
  picture.setSourceHeight(100);
  picture.setClipLeft(10);
  picture.setClipTop(20);
  picture.setClipRight(50);
  picture.setClipBottom(60);
  QuarterTurnAndMirror(list, true, false, 0, GeometryContext{});
  EXPECT_EQ(picture.mirrorSign(), -1);
  EXPECT_EQ(picture.clipLeft(), 150);
  EXPECT_EQ(picture.clipRight(), 190);
  QuarterTurnAndMirror(list, false, true, 0, GeometryContext{});
  EXPECT_EQ(picture.flipSign(), -1);
  EXPECT_EQ(picture.clipTop(), 40);
  EXPECT_EQ(picture.clipBottom(), 80);
  QuarterTurnAndMirror(list, false, false, 1, GeometryContext{});
  EXPECT_EQ(picture.rightAngle(), 90);
  EXPECT_EQ((std::vector<int32_t>{picture.clipLeft(), picture.clipTop(), picture.clipRight(),
                                  picture.clipBottom()}),
            (std::vector<int32_t>{40, 150, 80, 190}));
  EXPECT_EQ((std::vector<int32_t>{picture.x1(), picture.y1(), picture.x2(), picture.y2()}),
            (std::vector<int32_t>{160, 40, 240, 240}));
  EXPECT_EQ(picture.boundWidth(), 80);
  QuarterTurnAndMirror(list, true, false, 0, GeometryContext{});
  EXPECT_EQ(picture.flipSign(), 1);  // turned sideways: mirroring flips the source
  picture.setRightAngle(270);
  QuarterTurnAndMirror(list, false, false, 1, GeometryContext{});
  EXPECT_EQ(picture.rightAngle(), 360);
  QuarterTurnAndMirror(list, false, false, -1, GeometryContext{});
  EXPECT_EQ(picture.rightAngle(), 270);
  // A round clip keeps its radius when mirrored.
  picture.setClipShape(2);
  picture.setClipLeft(100);
  picture.setClipRight(130);
  QuarterTurnAndMirror(list, true, false, 0, GeometryContext{});
  EXPECT_EQ(picture.clipLeft(), 100);
  EXPECT_EQ(picture.clipRight(), 70);
}

TEST(QuarterTurnAndMirror, GroupMembersTurnAndMirrorAboutTheGroupPoint) {
  ItemList list;
  ItemRecord& line = AddSegmentItem(list, kKindLine, {10, 0}, {20, 5});
  ItemRecord& text = AddSegmentItem(list, kKindText, {10, 0}, {30, 0});
  ItemRecord& box = AddShape(list, kKindRectangle, {{10, 10}, {20, 10}, {20, 20}, {10, 20}}, 2);
  ItemRecord& frame = AddSegmentItem(list, kKindGroupFrame, {0, 0}, {0, 0});
  for (ItemRecord* r : {&line, &text, &box, &frame}) {
    r->setGroupNumber(1);
    r->setSelected(255);
  }
  QuarterTurnAndMirror(list, true, false, 0, GeometryContext{});
  EXPECT_EQ((std::vector<int32_t>{line.x1(), line.y1(), line.x2(), line.y2()}),
            (std::vector<int32_t>{-20, 5, -10, 0}));
  EXPECT_EQ((std::vector<int32_t>{text.x1(), text.y1(), text.x2(), text.y2()}),
            (std::vector<int32_t>{-30, 0, -10, 0}));
  EXPECT_EQ(box.points[0].point, (Point{-10, 10}));
  QuarterTurnAndMirror(list, false, false, 1, GeometryContext{});
  EXPECT_EQ((std::vector<int32_t>{text.x1(), text.y1(), text.x2(), text.y2()}),
            (std::vector<int32_t>{0, 30, 0, 10}));
  EXPECT_EQ(text.textAngle(), 900);
  EXPECT_EQ(box.points[0].point, (Point{10, 10}));
  EXPECT_EQ(box.boundLeft(), 6);
}

TEST(FinishPictureResize, SignedFactorsAndANormalisedBox) {
  ItemList list;
  ItemRecord& picture = AddSegmentItem(list, kKindPicture, {100, 100}, {300, 200});
  TakeReference(picture);
  picture.setX2(50);  // dragged past the left side
  FinishPictureResize(picture, GeometryContext{});
  EXPECT_DOUBLE_EQ(picture.scaleX(), -0.25);
  EXPECT_DOUBLE_EQ(picture.scaleY(), 1.0);
  EXPECT_EQ((std::vector<int32_t>{picture.x1(), picture.x2(), picture.refX1(), picture.refX2()}),
            (std::vector<int32_t>{50, 100, 50, 100}));
  EXPECT_EQ(picture.boundLeft(), 50);
  ItemRecord& round = AddSegmentItem(list, kKindPicture, {0, 0}, {10, 0});
  round.setClipShape(2);
  TakeReference(round);
  round.setX2(25);
  FinishPictureResize(round, GeometryContext{});
  EXPECT_DOUBLE_EQ(round.scaleX(), 2.5);
  EXPECT_EQ(round.boundRight(), 25);
  EXPECT_EQ(round.boundWidth(), 50);
  ItemRecord& flat = AddSegmentItem(list, kKindPicture, {0, 0}, {10, 0});
  TakeReference(flat);
  flat.setX2(40);
  FinishPictureResize(flat, GeometryContext{});  // no height to scale: back to the start
  EXPECT_EQ(flat.x2(), 10);
  EXPECT_DOUBLE_EQ(flat.scaleX(), 1.0);
}

TEST(SnapPoints, WithinSevenPercentOfTheGridButNotFromZero) {
  ItemList list;
  ItemRecord& page = test::AddPage(list);  // grid distance 10 mm: G = 37.8 pixels
  page.setSnapHorizontal(1);
  ItemRecord* anchors = FindVisibleByKind(list, kKindAnchors);
  for (int32_t position : {0, 38, 76})
    anchors->verticalAnchors.push_back({0, 0, 0, position});
  anchors->verticalAnchors.push_back({0, 0, 1, 41});  // deleted
  anchors->horizontalAnchors.push_back({0, 0, 0, 40});
  std::vector<PointEntry> points(4);
  const int32_t xs[] = {40, 41, 38, 74};
  for (int k = 0; k < 4; ++k)
    points[k].point = {xs[k], 42};
  SnapPoints(list, points);
  std::vector<int32_t> snapped;
  for (const PointEntry& e : points)
    snapped.push_back(e.point.x);
  EXPECT_EQ(snapped, (std::vector<int32_t>{38, 41, 38, 76}));
  EXPECT_EQ(points[0].point.y, 42);  // vertical snapping is off
  page.setSnapVertical(1);
  page.setZoom(2);
  page.setX1(20);  // lines count from the desk: the page starts at position 10
  SnapPoints(list, points);
  EXPECT_EQ(points[1].point, (Point{41, 40}));
  EXPECT_EQ(points[0].point, (Point{38, 40}));  // 38 lies 10 past the line at 38 - 10 = 28
}

TEST(SnapToGrid, EveryPointLandsOnTheNearestLiveLine) {
  ItemList list;
  ItemRecord& page = test::AddPage(list);
  page.setSnapHorizontal(1);
  page.setSnapVertical(1);
  ItemRecord* anchors = FindVisibleByKind(list, kKindAnchors);
  for (int32_t position : {0, 50, 100, 150})
    anchors->verticalAnchors.push_back({0, 0, 0, position});
  for (int32_t position : {100, 0, 50, 75})
    anchors->horizontalAnchors.push_back({0, 0, 0, position});
  anchors->horizontalAnchors[3].deleted = 1;
  struct Case {
    Point in, out;
  };
  const Case cases[] = {
      {{74, 26}, {50, 50}},   {{76, 24}, {100, 0}},
      {{25, 75}, {0, 100}},    // ties go to the line earlier in the list: 0 before 50, 100 first
      {{500, 74}, {150, 50}},  // no distance limit; the deleted line at 75 takes nothing
      {{-40, -9}, {0, 0}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SnapToGrid(list, c.in), c.out) << c.in.x << "," << c.in.y;
  // A direction without live lines, or with snapping off, keeps its coordinate.
  for (AnchorEntry& a : anchors->horizontalAnchors)
    a.deleted = 1;
  EXPECT_EQ(SnapToGrid(list, {74, 26}), (Point{50, 26}));
  page.setSnapHorizontal(0);
  EXPECT_EQ(SnapToGrid(list, {74, 26}), (Point{74, 26}));
  // Lines count from the desk: with the page at 20 window pixels and zoom 2, position 100 is
  // document x 90.
  page.setSnapHorizontal(1);
  page.setZoom(2);
  page.setX1(20);
  EXPECT_EQ(SnapToGrid(list, {74, 26}).x, 90);
}

}  // namespace
}  // namespace quillon
