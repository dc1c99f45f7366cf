// SPDX-License-Identifier: GPL-3.0-or-later
// The shape panel's commands that rebuild outlines. They change the selected records in
// place: the caller opens the edit first (BeginEdit with drawing), so that the selected
// records are the clones of the new transaction, and repaints afterwards.
#pragma once

#include <cstdint>

#include "document/ItemList.h"
#include "render/GeometryContext.h"

namespace quillon {

// Polygons: the number of sides, outline rebuilt from the centre and first vertex. Stars: the
// number of spikes, rebuilt from the centre, tip and inner point. Bounds recomputed.
void SetSidesOrSpikes(ItemRecord& polygonOrStar, int32_t count, const GeometryContext& context);
// Splines: the style (0 open, 1 closed, 2 solid). Curves: the style and their control points
// recomputed with their curve factor. Bounds recomputed.
void SetShapeStyle(ItemRecord& splineOrCurve, int32_t style, const GeometryContext& context);

// The commands on every selected polygon and star, or spline and curve, of the list.
void SetSidesOrSpikes(ItemList& list, int32_t count, const GeometryContext& context);
void SetShapeStyle(ItemList& list, int32_t style, const GeometryContext& context);

}  // namespace quillon
