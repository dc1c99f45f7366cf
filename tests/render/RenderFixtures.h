// SPDX-License-Identifier: GPL-3.0-or-later
// Shapes built in code for the geometry tests.
#pragma once

#include <initializer_list>
#include <vector>

#include "document/ItemList.h"
#include "render/GeometryContext.h"
#include "render/ShapeBounds.h"
#include "render/TextMetrics.h"

namespace quillon::test {

// A point-list shape with these outline points (drag-start copies equal), stacked on top, its
// bounds recomputed.
inline ItemRecord& AddShape(ItemList& list, int32_t kind, std::initializer_list<Point> points,
                            int32_t shapeStyle = 0, int32_t sides = 0) {
  ItemRecord& r = NewRecord(list, kind);
  for (Point p : points) {
    PointEntry& e = NewPoint(r.points);
    e.point = e.pointAtDragStart = p;
  }
  r.setShapeStyle(shapeStyle);
  r.setSides(sides);
  r.setStackLevel(MaxLevel(list) + 1);
  GeometryContext context;
  context.screen = list.screen();
  RecomputeBounds(r, context);
  return r;
}

// A text, line or picture between two defining points, stacked on top.
inline ItemRecord& AddSegmentItem(ItemList& list, int32_t kind, Point a, Point b) {
  ItemRecord& r = NewRecord(list, kind);
  r.setX1(a.x);
  r.setY1(a.y);
  r.setX2(b.x);
  r.setY2(b.y);
  RecomputeDerived(r, list.screen());
  r.setStackLevel(MaxLevel(list) + 1);
  return r;
}

inline std::vector<Point> OutlinePoints(const ItemRecord& r) {
  std::vector<Point> points;
  for (const PointEntry& e : r.points)
    points.push_back(e.point);
  return points;
}

// The same metrics at every size: ascent, descent, leading and overhang scaled.
class FixedTextMetrics : public TextMetrics {
 public:
  explicit FixedTextMetrics(FontMetrics m) : m_(m) {}
  FontMetrics Measure(const ItemRecord&, double scale) const override {
    const auto s = [scale](int32_t v) { return RoundToInt32(v * scale); };
    return {s(m_.ascent), s(m_.descent), s(m_.externalLeading), s(m_.overhang)};
  }

 private:
  FontMetrics m_;
};

}  // namespace quillon::test
