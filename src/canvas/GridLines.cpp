// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/GridLines.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "canvas/DragEngine.h"
#include "document/History.h"
#include "document/PageSetup.h"
#include "document/ToolNumbers.h"

namespace quillon {
namespace {

constexpr int32_t kMinPageLength = 5;

double SafeZoom(const ItemRecord& page) {
  const double zoom = page.zoom();
  return zoom > 0 && std::isfinite(zoom) ? zoom : 1.0;
}

// The coordinate of a point along the axis the lines position.
int32_t Along(Point p, GridAxis axis) {
  return axis == GridAxis::Vertical ? p.x : p.y;
}

bool OnLine(const ItemRecord& item, GridAxis axis, int32_t line) {
  const auto near = [&](int64_t v) { return std::abs(v - line) <= kOnLineDistance; };
  const Point one{item.x1(), item.y1()};
  const Point two{item.x2(), item.y2()};
  const int32_t kind = item.kind();
  if (kind == kKindCircle && item.points.size() >= 2) {
    const Point c = item.points[0].point;
    const int64_t r = RoundToInt32(
        std::hypot(double(item.points[1].point.x) - c.x, double(item.points[1].point.y) - c.y));
    return near(Along(c, axis)) || near(Along(c, axis) - r) || near(Along(c, axis) + r);
  }
  if (kind == kKindEllipse && !item.points.empty()) return near(Along(item.points[0].point, axis));
  if (IsPointListKind(kind)) {
    return std::any_of(item.points.begin(), item.points.end(),
                       [&](const PointEntry& e) { return near(Along(e.point, axis)); });
  }
  if (kind == kKindPicture && item.clipShape() == 2) {
    const int64_t r = RoundToInt32(std::hypot(double(two.x) - one.x, double(two.y) - one.y));
    return near(Along(one, axis) - r) || near(Along(one, axis) + r);
  }
  if (kind == kKindText || kind == kKindLine || kind == kKindPicture) {
    return near(Along(one, axis)) || near(Along(two, axis));
  }
  return false;
}

}  // namespace

int32_t LineShift(const ItemRecord& page, GridAxis axis) {
  const double zoom = SafeZoom(page);
  return RoundToInt32((axis == GridAxis::Vertical ? page.x1() : page.y1()) / zoom);
}

void DrawGridLines(const CanvasTile& tile, const ItemList& list, Rect clip) {
  const ItemRecord* page = list.PageRecord();
  const ItemRecord* anchors = FindVisibleByKind(list, kKindAnchors);
  if (page == nullptr || anchors == nullptr || tile.bitmap == nullptr || tile.bitmap->empty())
    return;
  Bitmap& bitmap = *tile.bitmap;
  const Rect area = Intersected(clip, {0, 0, bitmap.width(), bitmap.height()});
  if (IsEmpty(area)) return;
  // The page spans the whole zoomed page; lines are drawn over it where they meet the area.
  const Point pageFar = {page->boundWidth(), page->boundHeight()};
  const double zoom = SafeZoom(*page);
  for (GridAxis axis : {GridAxis::Vertical, GridAxis::Horizontal}) {
    const bool shown =
        axis == GridAxis::Vertical ? page->gridHorizontal() != 0 : page->gridVertical() != 0;
    if (!shown) continue;
    const int64_t shift = LineShift(*page, axis);
    const int32_t tileOrigin = axis == GridAxis::Vertical ? tile.origin.x : tile.origin.y;
    const int32_t across = axis == GridAxis::Vertical ? pageFar.y : pageFar.x;
    const int32_t acrossOrigin = axis == GridAxis::Vertical ? tile.origin.y : tile.origin.x;
    const int32_t lo = std::max(axis == GridAxis::Vertical ? area.top : area.left, -acrossOrigin);
    const int32_t hi = std::min<int64_t>(axis == GridAxis::Vertical ? area.bottom : area.right,
                                         int64_t{across} - acrossOrigin);
    for (const AnchorEntry& line : LinesOf(*anchors, axis)) {
      if (line.deleted != 0) continue;
      const int64_t at = RoundToInt32((line.position - shift) * zoom) - int64_t{tileOrigin};
      const int64_t from = axis == GridAxis::Vertical ? area.left : area.top;
      const int64_t to = axis == GridAxis::Vertical ? area.right : area.bottom;
      if (at < from || at >= to) continue;
      for (int32_t i = lo; i < hi; ++i) {
        if (axis == GridAxis::Vertical) {
          bitmap.SetPixel(static_cast<int>(at), i, kGridLineColour);
        } else {
          bitmap.SetPixel(i, static_cast<int>(at), kGridLineColour);
        }
      }
    }
  }
}

std::vector<ItemRecord*> ItemsOnLine(const ItemList& list, GridAxis axis, int32_t position) {
  std::vector<ItemRecord*> found;
  const ItemRecord* page = list.PageRecord();
  if (page == nullptr) return found;
  const int64_t line = int64_t{position} - LineShift(*page, axis);
  if (line < INT32_MIN || line > INT32_MAX) return found;
  for (ItemRecord& item : list) {
    if (!IsVisible(item) || item.kind() == kKindGroupFrame) continue;
    if (OnLine(item, axis, static_cast<int32_t>(line))) found.push_back(&item);
  }
  return found;
}

bool MoveGridLine(ItemList& list, EditObserver& observer, const GeometryContext& geometry,
                  GridAxis axis, int index, int32_t position) {
  const ItemRecord* page = list.PageRecord();
  const ItemRecord* live = FindVisibleByKind(list, kKindAnchors);
  if (page == nullptr || live == nullptr || !AnchorsShown(*page, axis)) return false;
  const std::vector<AnchorEntry>& lines = LinesOf(*live, axis);
  if (index < 0 || index >= static_cast<int>(lines.size()) || lines[index].deleted != 0)
    return false;
  const int32_t from = lines[index].position;
  // A click on an anchor that does not move it is no edit.
  if (position == from) return false;
  const std::vector<ItemRecord*> onLine = ItemsOnLine(list, axis, from);

  // Only the items on the line move: the selection is put aside and given back afterwards.
  std::unordered_set<int32_t> selected;
  for (const ItemRecord* r : SelectedRecords(list))
    selected.insert(r->itemId());
  SelectOnly(list, nullptr);
  ItemRecord* copy = BeginGridEdit(list, observer);
  if (copy == nullptr) return false;
  LinesOf(*copy, axis)[index].position = position;
  const int32_t step = copy->transaction();
  if (!onLine.empty()) {
    for (ItemRecord* item : onLine)
      item->setSelected(255);
    BeginEdit(list, observer, false);
    // The items' clones join the anchors' step, so that one Undo takes back both.
    for (ItemRecord* r : SelectedRecords(list))
      r->setTransaction(step);
    const DragSession session = StartDrag(list, kHandleMove);
    const Point start{0, 0};
    const Point end = axis == GridAxis::Vertical ? Point{ClampToInt32(int64_t{position} - from), 0}
                                                 : Point{0, ClampToInt32(int64_t{position} - from)};
    ApplyDrag(session, start, end, geometry);
    FinishDrag(session, geometry);
  }
  SelectOnly(list, nullptr);
  for (ItemRecord& r : list) {
    if (!IsVisible(r)) continue;
    if (selected.count(r.itemId()) != 0 || selected.count(r.replacesId()) != 0) r.setSelected(255);
  }
  observer.RepaintAll(false);
  return true;
}

int32_t DraggedPageLength(const ItemRecord& page, GridAxis axis, int32_t delta) {
  const int64_t length = axis == GridAxis::Vertical ? page.boundWidth() : page.boundHeight();
  return ClampToInt32(std::max<int64_t>(kMinPageLength, length + delta));
}

bool DragPageEdge(ItemList& list, EditObserver& observer, GridAxis axis, PageEdge edge,
                  int32_t delta) {
  ItemRecord* page = list.PageRecord();
  if (page == nullptr) return false;
  const double zoom = SafeZoom(*page);
  const bool across = axis == GridAxis::Vertical;  // the x direction
  const double ppu = across ? page->pixelsPerUnitX() : page->pixelsPerUnitY();
  if (!(ppu > 0) || !std::isfinite(ppu)) return false;
  bool changed = false;
  if (edge == PageEdge::Far) {
    const double units = DraggedPageLength(*page, axis, delta) / ppu / zoom;
    const double before = across ? page->designWidth() : page->designHeight();
    if (units != before) {
      across ? page->setDesignWidth(units) : page->setDesignHeight(units);
      changed = true;
    }
  } else {
    const int64_t origin = across ? page->x1() : page->y1();
    const double units = std::max<int64_t>(0, origin + delta) / ppu / zoom;
    const double before = across ? page->designLeft() : page->designTop();
    if (units != before) {
      across ? page->setDesignLeft(units) : page->setDesignTop(units);
      changed = true;
    }
  }
  if (!changed) return false;
  UpdatePageRect(*page);
  SetModified(list, true);
  // The page's geometry is not part of the undo history, so every version of the grid follows
  // the new edge: an Undo afterwards never brings back lines that no longer fit the page.
  PurgeRedo(list);
  observer.RedoAvailable(false);
  const int64_t far = int64_t{LineShift(*page, axis)} +
                      RoundToInt32((across ? page->boundWidth() : page->boundHeight()) / zoom);
  for (ItemRecord& anchors : list) {
    if (anchors.kind() != kKindAnchors) continue;
    std::vector<AnchorEntry>& lines = LinesOf(anchors, axis);
    if (edge == PageEdge::Far) {
      ExtendGridLines(lines, ClampToInt32(far),
                      across ? page->gridDistanceX() : page->gridDistanceY(), ppu);
    } else {
      ShiftGridLines(lines, RoundToInt32(delta / zoom));
    }
  }
  observer.RepaintAll(false);
  return true;
}

}  // namespace quillon
