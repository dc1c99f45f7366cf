// SPDX-License-Identifier: GPL-3.0-or-later
// The sheet the shadow benchmarks print: many filled rectangles with the "Medium" shadow,
// scattered over a letter page so that some overlap and most do not.
#pragma once

#include <random>

#include "document/PageSetup.h"
#include "render/Outlines.h"
#include "render/ShapeBounds.h"

namespace quillon::bench {

// Adds n rectangles of 30 to 200 document pixels a side, each with its own fill colour, on top
// of whatever the list holds; the same n always gives the same rectangles.
inline void AddShadowedRectangles(ItemList& list, int n) {
  std::mt19937 random(29);
  std::uniform_int_distribution<int32_t> side(30, 200), x(0, 816 - 200), y(0, 1056 - 200);
  GeometryContext context;
  context.screen = list.screen();
  for (int i = 0; i < n; ++i) {
    ItemRecord& r = NewRecord(list, kKindRectangle);
    r.setStackLevel(MaxLevel(list) + 1);
    const Point a{x(random), y(random)};
    const Point b{a.x + side(random), a.y};
    RectangleFromSide(a, b, {b.x, a.y + side(random)}, r.points);
    for (PointEntry& e : r.points)
      e.pointAtDragStart = e.point;
    r.setShapeStyle(2);
    r.setLineColor(0);
    r.setFillColor(static_cast<int32_t>(random() & 0xFFFFFF));
    r.setLineWeight(0.5);
    r.setShadowSize(50);
    r.setShadowSoftness(20);
    r.setShadowLightness(110);
    RecomputeBounds(r, context);
  }
}

}  // namespace quillon::bench
