// SPDX-License-Identifier: GPL-3.0-or-later
// The item renderer: the one entry point that draws an item for the window, the preview,
// printing and export; the callers only choose the mapping and the quality.
#pragma once

#include "document/ItemList.h"
#include "render/Bitmap.h"
#include "render/Coordinates.h"
#include "render/DrawStyle.h"
#include "render/Primitives.h"

namespace quillon {

// Draws item onto target with document pixel (x, y) at (round(x * scaleX) + origin.x,
// round(y * scaleY) + origin.y): shadow first, then the body, flat or shaded.
void RenderItem(Bitmap& target, const ItemRecord& item, const ItemList& list, Point origin,
                double scaleX, double scaleY, const RenderMode& mode = {});

// The same through primitives already open on the target, whose coordinates the mapping gives;
// a page draws all its items through one.
void RenderItem(Primitives& target, const ItemRecord& item, const ItemList& list,
                const TargetMapping& mapping, const RenderMode& mode = {});

// The light direction of the list's page setup record (0 without one).
int LightOf(const ItemList& list);

}  // namespace quillon
