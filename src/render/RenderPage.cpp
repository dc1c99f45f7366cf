// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/RenderPage.h"

#include <algorithm>

namespace quillon {

std::vector<const ItemRecord*> DrawingOrder(const ItemList& list) {
  std::vector<const ItemRecord*> order;
  for (const ItemRecord& r : list) {
    if (r.recordClass() == kClassContent && r.hidden() == 0 && r.stackLevel() >= 1) {
      order.push_back(&r);
    }
  }
  // A stable sort keeps list order within a level, so the first record of each level leads.
  std::stable_sort(order.begin(), order.end(), [](const ItemRecord* a, const ItemRecord* b) {
    return a->stackLevel() < b->stackLevel();
  });
  order.erase(std::unique(order.begin(), order.end(),
                          [](const ItemRecord* a, const ItemRecord* b) {
                            return a->stackLevel() == b->stackLevel();
                          }),
              order.end());
  return order;
}

bool RenderPage(const ItemList& list, Bitmap& target, Point origin, double scaleX, double scaleY,
                const RenderMode& mode) {
  target.Fill(0xFFFFFF);
  if (list.PageRecord() == nullptr || target.empty()) return list.PageRecord() != nullptr;
  Primitives primitives(target);
  const TargetMapping mapping = TargetMapping::Output(origin, scaleX, scaleY);
  for (const ItemRecord* item : DrawingOrder(list))
    RenderItem(primitives, *item, list, mapping, mode);
  return true;
}

}  // namespace quillon
