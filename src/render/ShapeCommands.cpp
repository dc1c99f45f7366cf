// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ShapeCommands.h"

#include "render/Curves.h"
#include "render/Outlines.h"
#include "render/ShapeBounds.h"

namespace quillon {

void SetSidesOrSpikes(ItemRecord& item, int32_t count, const GeometryContext& context) {
  const Point centre = PointAt(item.points, 1), first = PointAt(item.points, 2);
  if (item.kind() == kKindPolygon) {
    item.setSides(count);
    if (item.points.size() >= 2) PolygonVertices(centre, first, count, item.points);
  } else if (item.kind() == kKindStar) {
    item.setSides(count);
    if (item.points.size() >= 3) {
      StarVertices(centre, PointAt(item.points, 3), count, first, item.points);
    }
  } else {
    return;
  }
  RecomputeBounds(item, context);
}

void SetShapeStyle(ItemRecord& item, int32_t style, const GeometryContext& context) {
  if (item.kind() == kKindSpline) {
    item.setShapeStyle(style);
  } else if (item.kind() == kKindCurve) {
    item.setShapeStyle(style);
    RecomputeCurveHandles(item.points, item.curveFactor(), style);
  } else {
    return;
  }
  RecomputeBounds(item, context);
}

void SetSidesOrSpikes(ItemList& list, int32_t count, const GeometryContext& context) {
  for (ItemRecord* r : SelectedRecords(list)) {
    SetSidesOrSpikes(*r, count, context);
  }
}

void SetShapeStyle(ItemList& list, int32_t style, const GeometryContext& context) {
  for (ItemRecord* r : SelectedRecords(list)) {
    SetShapeStyle(*r, style, context);
  }
}

}  // namespace quillon
