// SPDX-License-Identifier: GPL-3.0-or-later
// Control points of curves and oblongs: each point's tangent follows the bisector of its
// corner, and the handles are a factor of the distance to the neighbouring points long.
#pragma once

#include <vector>

#include "document/ItemRecord.h"

namespace quillon {

// Control points of every entry that has a previous and a next entry.
void CurveHandles(std::vector<PointEntry>& points, double factor);
// The first and last segments of an open curve point straight at their neighbours.
void CurveEndsOpen(std::vector<PointEntry>& points, double factor);
// The two ends of a closed curve treated as interior points of a ring.
void CurveEndsClosed(std::vector<PointEntry>& points, double factor);
// CurveHandles, then the end rule of the shape style (0 open, otherwise closed).
void RecomputeCurveHandles(std::vector<PointEntry>& points, double factor, int32_t shapeStyle);

}  // namespace quillon
