// SPDX-License-Identifier: GPL-3.0-or-later
// The item renderer: the one entry point that draws an item for the window, the preview,
// printing and export; the callers only choose the mapping and the quality.
#pragma once

#include "document/ItemList.h"
#include "render/Bitmap.h"
#include "render/Coordinates.h"
#include "render/Primitives.h"

namespace quillon {

// How an item is drawn beyond its mapping.
struct RenderMode {
  bool window = false;       // into the window canvas at its zoom rather than at print quality
  bool shadows = true;       // "Show all shadows"
  bool surfaces = true;      // "Show all 3-D effects"
  bool pictures = true;      // "Show all pictures"; off: pictures draw as outlines
  bool quick = false;        // while items are dragged: no shadows, flat surfaces
  bool busyLoading = false;  // while a document is being loaded and first laid out
  // The window's outline colours of pictures while dragged and with pictures off.
  uint32_t dragOutline = 255;
  uint32_t dragOutlineGap = 65535;
  uint32_t pictureOutline = 0;
  uint32_t pictureOutlineGap = 65535;
};

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
