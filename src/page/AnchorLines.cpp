// SPDX-License-Identifier: GPL-3.0-or-later
#include "page/AnchorLines.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "document/History.h"
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

bool ResetAnchorLines(ItemList& list, int flags, EditObserver& observer) {
  const ItemRecord* page = FindPageRecord(list);
  ItemRecord* live = FindVisibleByKind(list, kKindAnchors);
  if (page == nullptr || live == nullptr) return false;
  PurgeRedo(list);
  observer.RedoAvailable(CanRedo(list));
  live = FindVisibleByKind(list, kKindAnchors);
  if (live == nullptr) return false;
  const int32_t transaction = NextTransaction(list);
  ItemRecord& copy = CopyRecord(list, *live);
  copy.verticalAnchors = live->verticalAnchors;
  copy.horizontalAnchors = live->horizontalAnchors;
  for (AnchorEntry& a : copy.verticalAnchors)
    a.highlighted = 0;
  for (AnchorEntry& a : copy.horizontalAnchors)
    a.highlighted = 0;
  HighlightAnchor(*live, GridAxis::Vertical, -1);
  live->setHidden(255);
  live->setSelected(0);
  copy.setReplacesId(live->itemId());
  copy.setTransaction(transaction);
  copy.setHistoryState(1);
  if (flags & kResetHorizontal) copy.verticalAnchors = Lines(*page, true, 1);
  if (flags & kResetVertical) copy.horizontalAnchors = Lines(*page, false, 1);
  observer.UndoAvailable(true);
  return true;
}

std::vector<AnchorEntry>& LinesOf(ItemRecord& anchors, GridAxis axis) {
  return axis == GridAxis::Vertical ? anchors.verticalAnchors : anchors.horizontalAnchors;
}

const std::vector<AnchorEntry>& LinesOf(const ItemRecord& anchors, GridAxis axis) {
  return axis == GridAxis::Vertical ? anchors.verticalAnchors : anchors.horizontalAnchors;
}

bool AnchorsShown(const ItemRecord& page, GridAxis axis) {
  return axis == GridAxis::Vertical ? page.gridHorizontal() != 0 && page.anchorsHorizontal() != 0
                                    : page.gridVertical() != 0 && page.anchorsVertical() != 0;
}

int AnchorIndexAt(const std::vector<AnchorEntry>& lines, int32_t position) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].deleted != 0) continue;
    const int64_t left = int64_t{lines[i].position} - kAnchorMarkSide / 2;
    if (position >= left && position < left + kAnchorMarkSide) return static_cast<int>(i);
  }
  return -1;
}

bool HighlightAnchor(ItemRecord& anchors, GridAxis axis, int index) {
  bool changed = false;
  for (GridAxis a : {GridAxis::Vertical, GridAxis::Horizontal}) {
    std::vector<AnchorEntry>& lines = LinesOf(anchors, a);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const uint8_t wanted = a == axis && static_cast<int>(i) == index ? 255 : 0;
      if ((lines[i].highlighted != 0) != (wanted != 0)) changed = true;
      lines[i].highlighted = wanted;
    }
  }
  return changed;
}

int HighlightedAnchor(const ItemRecord& anchors, GridAxis axis) {
  const std::vector<AnchorEntry>& lines = LinesOf(anchors, axis);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].highlighted != 0 && lines[i].deleted == 0) return static_cast<int>(i);
  }
  return -1;
}

ItemRecord* BeginGridEdit(ItemList& list, EditObserver& observer) {
  ItemRecord* live = FindVisibleByKind(list, kKindAnchors);
  if (live == nullptr) return nullptr;
  ItemRecord* copy = BeginAnchorsEdit(list, observer);
  HighlightAnchor(*live, GridAxis::Vertical, -1);
  HighlightAnchor(*copy, GridAxis::Vertical, -1);
  return copy;
}

bool InsertGridLine(ItemList& list, EditObserver& observer, GridAxis axis, int32_t position) {
  const ItemRecord* page = FindPageRecord(list);
  if (page == nullptr || !AnchorsShown(*page, axis)) return false;
  ItemRecord* copy = BeginGridEdit(list, observer);
  if (copy == nullptr) return false;
  LinesOf(*copy, axis).push_back({.key = 0, .highlighted = 0, .deleted = 0, .position = position});
  return true;
}

bool DeleteHighlightedLines(ItemList& list, EditObserver& observer) {
  const ItemRecord* page = FindPageRecord(list);
  const ItemRecord* live = FindVisibleByKind(list, kKindAnchors);
  if (page == nullptr || live == nullptr) return false;
  // Only the anchors shown can be highlighted under the pointer.
  const auto deletable = [&](GridAxis axis) {
    return AnchorsShown(*page, axis) && HighlightedAnchor(*live, axis) >= 0;
  };
  if (!deletable(GridAxis::Vertical) && !deletable(GridAxis::Horizontal)) return false;
  const bool vertical = deletable(GridAxis::Vertical);
  const bool horizontal = deletable(GridAxis::Horizontal);
  std::vector<uint8_t> doomed[2];
  for (GridAxis axis : {GridAxis::Vertical, GridAxis::Horizontal}) {
    for (const AnchorEntry& line : LinesOf(*live, axis))
      doomed[int(axis)].push_back(line.highlighted);
  }
  ItemRecord* copy = BeginGridEdit(list, observer);
  if (copy == nullptr) return false;
  for (GridAxis axis : {GridAxis::Vertical, GridAxis::Horizontal}) {
    if (!(axis == GridAxis::Vertical ? vertical : horizontal)) continue;
    std::vector<AnchorEntry>& lines = LinesOf(*copy, axis);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (doomed[int(axis)][i] != 0) lines[i].deleted = 1;
    }
  }
  return true;
}

int ExtendGridLines(std::vector<AnchorEntry>& lines, int32_t edge, double distance,
                    double pixelsPerUnit) {
  const int32_t step = RoundToInt32(distance * pixelsPerUnit);
  if (!(distance > 0) || step < 1) return 0;
  std::optional<int64_t> last;
  for (const AnchorEntry& line : lines) {
    if (line.deleted == 0 && (!last || line.position > *last)) last = line.position;
  }
  if (!last) return 0;
  int added = 0;
  for (int64_t p = *last + step; p <= edge && added < kMaxGridLines; p += step, ++added)
    lines.push_back({.key = 0, .highlighted = 0, .deleted = 0, .position = ClampToInt32(p)});
  return added;
}

void ShiftGridLines(std::vector<AnchorEntry>& lines, int32_t by) {
  if (lines.empty()) return;
  int64_t first = int64_t{lines.front().position} + by;
  for (const AnchorEntry& line : lines)
    first = std::min(first, int64_t{line.position} + by);
  const int64_t total = int64_t{by} + (first < 0 ? -first : 0);
  for (AnchorEntry& line : lines)
    line.position = ClampToInt32(line.position + total);
}

}  // namespace quillon
