// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in item renderer for the sheet tests: each item's box filled in its line colour,
// enough to see where the composer put it.
#pragma once

#include <algorithm>
#include <cstdint>

#include "document/Geometry.h"
#include "document/ItemList.h"
#include "render/Primitives.h"

namespace quillon::test {

inline void PaintBox(Primitives& target, const ItemRecord& item, const ItemList&, Point origin,
                     double sx, double sy) {
  Bitmap& bitmap = target.bitmap();
  const Point at = target.origin();
  const int left = RoundToInt32(item.boundLeft() * sx) + origin.x - at.x;
  const int top = RoundToInt32(item.boundTop() * sy) + origin.y - at.y;
  const int right = RoundToInt32(item.boundRight() * sx) + origin.x - at.x;
  const int bottom = RoundToInt32(item.boundBottom() * sy) + origin.y - at.y;
  for (int y = std::max(top, 0); y < std::min(bottom, bitmap.height()); ++y) {
    for (int x = std::max(left, 0); x < std::min(right, bitmap.width()); ++x) {
      bitmap.SetPixel(x, y, static_cast<uint32_t>(item.lineColor()));
    }
  }
}

}  // namespace quillon::test
