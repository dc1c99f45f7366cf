// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/RenderItem.h"

namespace quillon {

void RenderItem(Bitmap&, const ItemRecord&, const ItemList&, Point, double, double,
                const RenderMode&) {
  // Items are not drawn yet; the rasterizer fills this in.
}

}  // namespace quillon
