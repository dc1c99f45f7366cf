// SPDX-License-Identifier: GPL-3.0-or-later
// Records with numbers a damaged or hostile file can carry go through every geometric
// operation without a crash, an overflow or a hang (the sanitizers watch).
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <random>

#include "RenderFixtures.h"
#include "render/Handles.h"
#include "render/HitTest.h"
#include "render/LineStyle.h"
#include "render/Outlines.h"
#include "render/ShapeCommands.h"
#include "render/Transforms.h"

namespace quillon {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(HostileInput, EveryOperationSurvivesExtremeRecords) {
  const int32_t coordinates[] = {kMin, kMax, 0, -1, 1, kMax - 1, kMin + 1, 1 << 30};
  const double reals[] = {std::nan(""), HUGE_VAL, -HUGE_VAL, 1e300, -1e300, 0.0, 1e-300};
  const int32_t counts[] = {kMin, kMax, 1024001, -5, 0, 2};
  const int32_t kinds[] = {kKindText,   kKindLine,    kKindTriangle, kKindSquare,  kKindRectangle,
                           kKindCircle, kKindEllipse, kKindPolygon,  kKindStar,    kKindPie,
                           kKindArc,    kKindSpline,  kKindCurve,    kKindPicture, kKindGroupFrame};
  const test::FixedTextMetrics metrics({kMax, kMax, kMax, kMax});
  std::mt19937 random(99);
  const auto pick = [&](const auto& values) { return values[random() % std::size(values)]; };
  const auto begin = std::chrono::steady_clock::now();
  for (int round = 0; round < 400; ++round) {
    ItemList list;
    ItemRecord& r = NewRecord(list, pick(kinds));
    for (int k = 0; k < 1 + round % 5; ++k) {
      PointEntry& e = NewPoint(r.points);
      e.point = e.pointAtDragStart = {pick(coordinates), pick(coordinates)};
      e.handleIn = e.handleInAtDragStart = {pick(coordinates), pick(coordinates)};
      e.handleOut = e.handleOutAtDragStart = {pick(coordinates), pick(coordinates)};
    }
    r.setX1(pick(coordinates));
    r.setY1(pick(coordinates));
    r.setX2(pick(coordinates));
    r.setY2(pick(coordinates));
    r.setRefX1(pick(coordinates));
    r.setRefY2(pick(coordinates));
    r.setPenWidth(pick(counts));
    r.setSides(pick(counts) == 2 ? 7 : pick(counts));
    r.setShapeStyle(pick(counts));
    r.setLineWeight(pick(reals));
    r.setLineOutlineWeight(pick(reals));
    r.setCurveFactor(pick(reals));
    r.setRotation(pick(reals));
    r.setDirection(pick(reals));
    r.setAngle(pick(reals));
    r.setTextAngle(pick(counts));
    r.setClipShape(round % 2 == 0 ? 2 : 0);
    r.setRightAngle(pick(counts));
    r.setSourceScale(pick(reals));
    r.setSourceWidth(pick(coordinates));
    r.setLinePattern(round % 7 - 2);
    r.setSelected(255);
    SetText(r, u"A\u07ECB");
    GeometryContext context;
    context.zoom = pick(reals);
    context.text = &metrics;
    const Point d{pick(coordinates), pick(coordinates)};

    Outline outline;
    BuildOutline(r, TargetMapping::Window(context.zoom, d), outline);
    (void)OutlineDistance(r, d, context);
    (void)ChoosePickedItem(list, d, context);
    (void)InArea({pick(coordinates), pick(coordinates), pick(coordinates), pick(coordinates)}, r,
                 true, context);
    std::vector<Handle> handles;
    HandleLayout(r, true, d, context, handles);
    (void)ItemCentre(r);
    RecomputeBounds(r, context);
    NewShapeBounds(r, context);
    BoundsAfterTransform(r, context);
    RotatePoints(r.points, d, pick(reals));
    RotateSegment(r, d, pick(reals));
    OrbitBox(r, d, pick(reals));
    MirrorPoints(r.points, d, r.kind(), true, true);
    TranslatePoints(r.points, pick(coordinates), pick(coordinates));
    (void)ConstrainToDirection(d, {pick(coordinates), pick(coordinates)}, pick(reals));
    (void)MoveAlong(d, pick(reals), pick(reals));
    QuarterTurnAndMirror(list, round % 2 == 0, round % 3 == 0, round % 3 - 1, context);
    (void)MoveArcCentre(r, d, context);
    FinishPictureResize(r, context);
    SetShapeStyle(list, pick(counts), context);
    SetSidesOrSpikes(list, pick(counts) == 1024001 ? 1024001 : 5, context);

    std::vector<Dash> dashes;
    const DashPattern pattern = BuildPattern(list, r, pick(reals));
    WalkDashes({r.x1(), r.y1()}, {r.x2(), r.y2()}, r.angle(), pick(counts), pattern,
               {0, 0, 1600, 1600}, dashes);
    (void)EdgeStrip(DashBand({pick(reals), 0}, {0, pick(reals)}, pick(reals), pick(reals), false),
                    1 + round % 4, pick(reals), pick(reals));
  }
  EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(60));
}

}  // namespace
}  // namespace quillon
