// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/PointEditing.h"

#include <algorithm>
#include <cmath>

#include "document/EditCommands.h"
#include "document/History.h"
#include "render/Coordinates.h"
#include "render/Curves.h"
#include "render/ShapeBounds.h"

namespace quillon {
namespace {

// The nearest point of segment ab to p; a segment of equal ends is that point.
Point FootOnSegment(Point a, Point b, Point p) {
  const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
  const double length2 = dx * dx + dy * dy;
  if (length2 == 0) return a;
  const double t = std::clamp(((double(p.x) - a.x) * dx + (double(p.y) - a.y) * dy) / length2, 0.0, 1.0);
  return {RoundToInt32(a.x + t * dx), RoundToInt32(a.y + t * dy)};
}

void Reshaped(ItemRecord& item, const GeometryContext& context) {
  if (item.kind() == kKindCurve) {
    RecomputeCurveHandles(item.points, item.curveFactor(), item.shapeStyle());
  }
  for (PointEntry& e : item.points) {
    e.pointAtDragStart = e.point;
    e.handleInAtDragStart = e.handleIn;
    e.handleOutAtDragStart = e.handleOut;
  }
  RecomputeBounds(item, context);
}

}  // namespace

ItemRecord* SelectedSplineOrCurve(ItemList& list) {
  ItemRecord* item = SoleSelected(list);
  if (item == nullptr || (item->kind() != kKindSpline && item->kind() != kKindCurve)) return nullptr;
  return item;
}

bool CanContinue(const ItemRecord& item) {
  return item.shapeStyle() == 0 && item.points.size() > 1;
}

NearestSegment FindNearestSegment(const std::vector<PointEntry>& points, bool closed, Point p) {
  NearestSegment best;
  const int n = static_cast<int>(points.size());
  const int segments = closed && n > 2 ? n : n - 1;
  double bestDistance = 0;
  for (int i = 0; i < segments; ++i) {
    const Point foot = FootOnSegment(points[i].point, points[(i + 1) % n].point, p);
    const double distance = DistanceOf(foot, p);
    if (best.index < 0 || distance < bestDistance) {
      best = {i, foot};
      bestDistance = distance;
    }
  }
  return best;
}

bool DeletePoint(ItemList& list, EditObserver& observer, int k, const GeometryContext& context) {
  ItemRecord* item = SelectedSplineOrCurve(list);
  if (item == nullptr || k < 1 || k > static_cast<int>(item->points.size())) return false;
  if (item->points.size() <= 2) {
    CutSelection(list, observer);
    return true;
  }
  BeginEdit(list, observer, false);
  ItemRecord* clone = SoleSelected(list);
  if (clone == nullptr) return false;
  RemovePoint(*clone, k - 1);
  Reshaped(*clone, context);
  return true;
}

bool InsertPoint(ItemList& list, EditObserver& observer, Point p, const GeometryContext& context) {
  ItemRecord* item = SelectedSplineOrCurve(list);
  if (item == nullptr || item->points.size() < 2) return false;
  const NearestSegment nearest = FindNearestSegment(item->points, item->shapeStyle() != 0, p);
  if (nearest.index < 0) return false;
  BeginEdit(list, observer, false);
  ItemRecord* clone = SoleSelected(list);
  if (clone == nullptr) return false;
  PointEntry entry;
  entry.point = item->kind() == kKindCurve ? p : nearest.foot;
  entry.handleIn = entry.handleOut = entry.point;
  clone->points.insert(clone->points.begin() + nearest.index + 1, entry);
  Reshaped(*clone, context);
  return true;
}

}  // namespace quillon
