// SPDX-License-Identifier: GPL-3.0-or-later
// Items of every kind built in code for the rasterizer tests, and small probes of bitmaps.
#pragma once

#include <cstdint>
#include <vector>

#include "RenderFixtures.h"
#include "document/PageSetup.h"
#include "render/Bitmap.h"
#include "render/Curves.h"
#include "render/Outlines.h"

namespace quillon::test {

// A page setup record with a light direction, so that items know where their light comes from.
inline ItemRecord& AddLightPage(ItemList& list, int light = 0) {
  ItemRecord& page = NewRecord(list, kKindPageSetup);
  page.setRecordClass(kClassPageSetup);
  page.setLightDirection(static_cast<uint8_t>(light));
  return page;
}

struct Look {
  int32_t fill = -2;
  int32_t line = 0;
  double weight = 0.0;
  int surface = 0;
  int shadowSize = 0;
  int shadowSoftness = 0;
  int shadowLightness = 0;
};

inline ItemRecord& Apply(ItemRecord& item, const Look& look) {
  item.setFillColor(look.fill);
  item.setLineColor(look.line);
  item.setLineWeight(look.weight);
  item.setSurface(static_cast<uint8_t>(look.surface));
  item.setShadowSize(static_cast<uint8_t>(look.shadowSize));
  item.setShadowSoftness(static_cast<uint8_t>(look.shadowSoftness));
  item.setShadowLightness(static_cast<uint8_t>(look.shadowLightness));
  return item;
}

// A line from a to b: weight and outline weight in mm, its pen width kept in step.
inline ItemRecord& AddLine(ItemList& list, Point a, Point b, double weight, double outlineWeight,
                           int32_t pattern = 0) {
  ItemRecord& r = AddSegmentItem(list, kKindLine, a, b);
  r.setLineWeight(weight);
  r.setLineOutlineWeight(outlineWeight);
  r.setPenWidth(std::max(1, RoundToInt32(weight * list.screen().PxPerMmY())));
  r.setLinePattern(pattern);
  return r;
}

// A rectangle with its corners clockwise on screen from the top-left one, filled (style 2).
inline ItemRecord& AddBox(ItemList& list, Point topLeft, Point bottomRight) {
  return AddShape(list, kKindRectangle,
                  {topLeft, {bottomRight.x, topLeft.y}, bottomRight, {topLeft.x, bottomRight.y}},
                  2);
}

inline ItemRecord& AddCircle(ItemList& list, Point centre, int32_t radius) {
  return AddShape(list, kKindCircle, {centre, {centre.x + radius, centre.y}});
}

// One sample of each drawn kind, fitting a 120 x 120 cell.
inline ItemRecord& AddSample(ItemList& list, int32_t kind) {
  std::vector<PointEntry> points;
  switch (kind) {
    case kKindLine:
      return AddLine(list, {14, 32}, {106, 92}, 3.0, 0.5, 2);
    case kKindTriangle:
      return AddShape(list, kind, {{20, 100}, {62, 18}, {102, 96}}, 2);
    case kKindSquare: {
      ItemRecord& r = NewRecord(list, kind);
      SquareFromSide({32, 92}, {92, 86}, r.points);
      r.setShapeStyle(2);
      r.setStackLevel(MaxLevel(list) + 1);
      return r;
    }
    case kKindRectangle: {
      ItemRecord& r = NewRecord(list, kind);
      RectangleFromSide({16, 84}, {104, 84}, {104, 36}, r.points);
      r.setShapeStyle(2);
      r.setStackLevel(MaxLevel(list) + 1);
      return r;
    }
    case kKindCircle:
      return AddCircle(list, {60, 60}, 42);
    case kKindEllipse:
      return AddShape(list, kind, {{60, 60}, {106, 44}, {50, 32}});
    case kKindPolygon:
      PolygonVertices({60, 60}, {60, 16}, 6, points);
      break;
    case kKindStar:
      StarVertices({60, 60}, {60, 40}, 5, {60, 14}, points);
      break;
    case kKindPie:
    case kKindArc:
      ArcFromClicks({54, 60}, {102, 60}, {54, 108}, points);
      break;
    case kKindSpline:
      return AddShape(list, kind, {{14, 92}, {34, 24}, {60, 80}, {84, 20}, {106, 90}}, 0);
    case kKindCurve: {
      ItemRecord& r = AddShape(list, kind, {{20, 60}, {50, 20}, {100, 34}, {84, 100}, {36, 96}}, 2);
      RecomputeCurveHandles(r.points, r.curveFactor(), 2);
      return r;
    }
    default:
      break;
  }
  ItemRecord& r = NewRecord(list, kind);
  r.points = points;
  r.setSides(kind == kKindPolygon ? 6 : 5);
  r.setStackLevel(MaxLevel(list) + 1);
  return r;
}

inline constexpr int32_t kDrawnKinds[] = {kKindLine,   kKindTriangle, kKindSquare,  kKindRectangle,
                                          kKindCircle, kKindEllipse,  kKindPolygon, kKindStar,
                                          kKindPie,    kKindArc,      kKindSpline,  kKindCurve};

// Pixels of the rectangle [left, right) x [top, bottom) whose colour is not c.
inline int CountOther(const Bitmap& b, int left, int top, int right, int bottom, uint32_t c) {
  int n = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x)
      n += b.Pixel(x, y) != c;
  }
  return n;
}

}  // namespace quillon::test
