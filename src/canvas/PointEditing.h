// SPDX-License-Identifier: GPL-3.0-or-later
// Editing the points of a finished spline or curve: deleting the point under the pointer and
// inserting one on the outline. Continuing one with more points is a creation gesture.
#pragma once

#include <vector>

#include "document/EditObserver.h"
#include "document/ItemList.h"
#include "render/GeometryContext.h"

namespace quillon {

// The one selected record (group frames count) when it is a spline or curve; null otherwise.
ItemRecord* SelectedSplineOrCurve(ItemList& list);
// Whether an item can be continued: an open spline or curve with more than one point.
bool CanContinue(const ItemRecord& item);

struct NearestSegment {
  int index = -1;  // the segment from entry index to the next (cyclically)
  Point foot;      // the nearest point of that segment to the pointer
};
// The segment of the point list nearest to p (closed lists include the last-first segment):
// each distance is measured to the segment itself, its ends included, so that a far segment on
// the same line never wins; the first of equal ones.
NearestSegment FindNearestSegment(const std::vector<PointEntry>& points, bool closed, Point p);

// The k-th point (from 1) of the selected spline or curve removed as one step; with two points
// or fewer the item is deleted as Cut does. Whether anything changed.
bool DeletePoint(ItemList& list, EditObserver& observer, int k, const GeometryContext& context);
// A point added on the segment nearest to p (splines: at the foot; curves: at p) as one step.
bool InsertPoint(ItemList& list, EditObserver& observer, Point p, const GeometryContext& context);

}  // namespace quillon
