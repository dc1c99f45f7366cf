// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/AnchorLines.h"

#include <algorithm>
#include <cmath>

#include "document/PageSetup.h"

namespace quillon {
namespace {

// Round(page origin / zoom): the page's edge in page pixels at 100 %.
int32_t EdgeAt100(int32_t windowOrigin, double zoom) {
  if (!(zoom > 0) || !std::isfinite(zoom)) zoom = 1.0;
  return RoundToInt32(windowOrigin / zoom);
}

std::vector<AnchorEntry> Entries(const std::vector<int32_t>& positions) {
  std::vector<AnchorEntry> entries;
  entries.reserve(positions.size());
  for (int32_t p : positions)
    entries.push_back({.key = 0, .highlighted = 0, .deleted = 0, .position = p});
  return entries;
}

std::vector<AnchorEntry> Lines(const ItemRecord& page, bool vertical, int first) {
  const double zoom = page.zoom();
  if (vertical) {
    return Entries(GridLinePositions(EdgeAt100(page.x1(), zoom), page.designWidth(),
                                     page.gridDistanceX(), page.pixelsPerUnitX(), first));
  }
  return Entries(GridLinePositions(EdgeAt100(page.y1(), zoom), page.designHeight(),
                                   page.gridDistanceY(), page.pixelsPerUnitY(), first));
}

}  // namespace

std::vector<int32_t> GridLinePositions(int32_t origin, double length, double distance,
                                       double pixelsPerUnit, int first) {
  std::vector<int32_t> positions;
  const int32_t step = RoundToInt32(distance * pixelsPerUnit);
  double count = distance > 0 && step >= 1 ? std::trunc(length / distance) : 0;
  if (!(count >= 0)) count = 0;  // negative lengths and NaN
  const int last = static_cast<int>(std::min<double>(count, kMaxGridLines));
  for (int k = first; k <= last; ++k) {
    positions.push_back(ClampToInt32(int64_t{origin} + int64_t{k} * step));
  }
  return positions;
}

void SetDefaultAnchorLines(ItemRecord& anchors, const ItemRecord& page) {
  anchors.verticalAnchors = Lines(page, true, 0);
  anchors.horizontalAnchors = Lines(page, false, 0);
}

bool ResetAnchorLines(ItemList& list, int flags) {
  const ItemRecord* page = FindPageRecord(list);
  ItemRecord* live = FindVisibleByKind(list, kKindAnchors);
  if (page == nullptr || live == nullptr) return false;
  const int32_t transaction = NextTransaction(list);
  ItemRecord& copy = CopyRecord(list, *live);
  copy.verticalAnchors = live->verticalAnchors;
  copy.horizontalAnchors = live->horizontalAnchors;
  for (AnchorEntry& a : copy.verticalAnchors)
    a.highlighted = 0;
  for (AnchorEntry& a : copy.horizontalAnchors)
    a.highlighted = 0;
  live->setHidden(255);
  live->setSelected(0);
  copy.setReplacesId(live->itemId());
  copy.setTransaction(transaction);
  copy.setHistoryState(1);
  if (flags & kResetHorizontal) copy.verticalAnchors = Lines(*page, true, 1);
  if (flags & kResetVertical) copy.horizontalAnchors = Lines(*page, false, 1);
  return true;
}

}  // namespace quillon
