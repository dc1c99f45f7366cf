// SPDX-License-Identifier: GPL-3.0-or-later
// The page renderer: a document's items drawn in stacking order into an output bitmap, for
// printing, the print preview and picture export.
#pragma once

#include <vector>

#include "document/ItemList.h"
#include "render/Bitmap.h"
#include "render/RenderItem.h"

namespace quillon {

// The records a page shows, in drawing order: for each stackLevel from 1 up, the first record in
// list order of class 0 that is not hidden. The list is sorted once, not scanned per level.
std::vector<const ItemRecord*> DrawingOrder(const ItemList& list);

// Fills target white and draws the items of DrawingOrder with document pixel (x, y) at
// (round(x * scaleX) + origin.x, round(y * scaleY) + origin.y). Without a page setup record
// nothing is drawn and the result is false.
bool RenderPage(const ItemList& list, Bitmap& target, Point origin, double scaleX, double scaleY,
                const RenderMode& mode = {});

}  // namespace quillon
