// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/WindowPainter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "canvas/GridLines.h"
#include "document/PageSetup.h"
#include "page/PageKinds.h"
#include "render/Coordinates.h"
#include "render/RenderItem.h"
#include "render/Shadows.h"

namespace quillon {

bool IsEmpty(const Rect& r) {
  return r.right <= r.left || r.bottom <= r.top;
}

bool Intersects(const Rect& a, const Rect& b) {
  return !IsEmpty(a) && !IsEmpty(b) && a.left < b.right && b.left < a.right && a.top < b.bottom &&
         b.top < a.bottom;
}

Rect United(const Rect& a, const Rect& b) {
  if (IsEmpty(a)) return b;
  if (IsEmpty(b)) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

Rect Intersected(const Rect& a, const Rect& b) {
  const Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
               std::min(a.bottom, b.bottom)};
  return IsEmpty(r) ? Rect{} : r;
}

Point CanvasTile::ToCanvas(Point document) const {
  return ToWindowPoint(document, zoom, origin);
}

Rect CanvasTile::CanvasRect(Rect document) const {
  if (bitmap == nullptr || bitmap->empty() || IsEmpty(document)) return {};
  const Point topLeft = ToCanvas({document.left, document.top});
  const Point bottomRight = ToCanvas({document.right, document.bottom});
  return Intersected({topLeft.x, topLeft.y, bottomRight.x, bottomRight.y},
                     {0, 0, bitmap->width(), bitmap->height()});
}

Rect CanvasTile::DocumentRect(Rect canvas) const {
  const auto lower = [this](int32_t c, int32_t o) {
    return ClampToInt32(static_cast<int64_t>(std::floor((static_cast<double>(c) + o) / zoom)));
  };
  const auto upper = [this](int32_t c, int32_t o) {
    return ClampToInt32(static_cast<int64_t>(std::ceil((static_cast<double>(c) + o) / zoom)));
  };
  return {lower(canvas.left, origin.x), lower(canvas.top, origin.y), upper(canvas.right, origin.x),
          upper(canvas.bottom, origin.y)};
}

Rect CanvasTile::WholeTile() const {
  if (bitmap == nullptr || bitmap->empty()) return {};
  return DocumentRect({0, 0, bitmap->width(), bitmap->height()});
}

Rect ItemPaintRect(const ItemRecord& item, const ScreenMetrics& screen) {
  const int32_t widen = RoundToInt32(item.lineWeight() * screen.PxPerMmX());
  int64_t w = widen > 1 ? widen : 0;
  if (item.kind() == kKindPicture && item.rotation() != 0 && item.clipShape() != 2) {
    // A turned picture reaches out to its box's half diagonal around the box's centre.
    const int64_t width = int64_t{item.boundRight()} - item.boundLeft();
    const int64_t height = int64_t{item.boundBottom()} - item.boundTop();
    const auto half = static_cast<int64_t>(
        std::ceil(std::hypot(static_cast<double>(width), static_cast<double>(height)) / 2));
    w += std::max<int64_t>(half - std::min(width, height) / 2, 0) + 1;
  }
  return {ClampToInt32(item.boundLeft() - w), ClampToInt32(item.boundTop() - w),
          ClampToInt32(int64_t{item.boundRight()} + 1 + w),
          ClampToInt32(int64_t{item.boundBottom()} + 1 + w)};
}

Rect ItemReachRect(const ItemRecord& item, const ItemList& list) {
  const ScreenMetrics& screen = list.screen();
  Rect r = ItemPaintRect(item, screen);
  int64_t margin = FrameMargin(item, 1.0, screen);
  if (item.shadowSize() > 0) {
    const BoundingBox shadow = ShadowExtent(item, LightOf(list), screen);
    r = United(r, {shadow.left, shadow.top, ClampToInt32(int64_t{shadow.right} + 1),
                   ClampToInt32(int64_t{shadow.bottom} + 1)});
    // The blur spreads the silhouette on every side, the more the softer it is.
    margin += ShadowMargin(item, 1.0, screen) + item.shadowSoftness();
  }
  return {ClampToInt32(r.left - margin), ClampToInt32(r.top - margin),
          ClampToInt32(int64_t{r.right} + margin), ClampToInt32(int64_t{r.bottom} + margin)};
}

void PaintItem(const CanvasTile& tile, const ItemRecord& item, const ItemList& list, bool quick) {
  if (tile.bitmap == nullptr || tile.bitmap->empty()) return;
  RenderMode mode;
  mode.window = true;
  mode.pictures = tile.display.showPictures;
  mode.shadows = tile.display.showShadows;
  mode.surfaces = tile.display.showSurfaces;
  mode.quick = quick;
  mode.busyLoading = tile.busyLoading;
  RenderItem(*tile.bitmap, item, list, {-tile.origin.x, -tile.origin.y}, tile.zoom, tile.zoom,
             mode);
}

namespace {

void FillRect(Bitmap& bitmap, const Rect& area, uint32_t colour) {
  const Rect r = Intersected(area, {0, 0, bitmap.width(), bitmap.height()});
  if (IsEmpty(r)) return;
  const uint8_t bgr[3] = {BlueOf(colour), GreenOf(colour), RedOf(colour)};
  uint8_t* first = bitmap.Row(r.top) + 3 * r.left;
  for (int x = 0; x < r.right - r.left; ++x)
    std::memcpy(first + 3 * x, bgr, 3);
  const std::size_t bytes = 3 * static_cast<std::size_t>(r.right - r.left);
  for (int y = r.top + 1; y < r.bottom; ++y)
    std::memcpy(bitmap.Row(y) + 3 * r.left, first, bytes);
}

// A one-pixel line along one axis from a to b (both included), solid or dotted with the
// system's dotted pen (3 pixels on, 3 off, counted from a), clipped to clip.
void AxisLine(Bitmap& bitmap, Point a, Point b, bool dotted, const Rect& clip) {
  const Rect r = Intersected(clip, {0, 0, bitmap.width(), bitmap.height()});
  if (IsEmpty(r)) return;
  const bool vertical = a.x == b.x;
  const int64_t from = vertical ? std::min(a.y, b.y) : std::min(a.x, b.x);
  const int64_t to = vertical ? std::max(a.y, b.y) : std::max(a.x, b.x);
  const int64_t start = vertical ? a.y : a.x;
  const int64_t lo = std::max<int64_t>(from, vertical ? r.top : r.left);
  const int64_t hi = std::min<int64_t>(to, (vertical ? r.bottom : r.right) - 1);
  const int32_t across = vertical ? a.x : a.y;
  if (across < (vertical ? r.left : r.top) || across >= (vertical ? r.right : r.bottom)) return;
  for (int64_t i = lo; i <= hi; ++i) {
    if (dotted && (std::abs(i - start) / 3) % 2 == 1) continue;
    const int x = static_cast<int>(vertical ? across : i);
    const int y = static_cast<int>(vertical ? i : across);
    bitmap.SetPixel(x, y, kPageDecorationColour);
  }
}

}  // namespace

void DrawPageDecoration(const CanvasTile& tile, const ItemRecord& page, Rect clip) {
  if (tile.bitmap == nullptr || tile.bitmap->empty()) return;
  Bitmap& bitmap = *tile.bitmap;
  const double ppuX = page.pixelsPerUnitX();
  const double ppuY = page.pixelsPerUnitY();
  const auto at = [&](double unitsX, double unitsY) {
    return tile.ToCanvas({RoundToInt32(unitsX * ppuX), RoundToInt32(unitsY * ppuY)});
  };
  const int32_t kind = PageKindOf(page);
  if (kind == kKindIllustrations || (kind >= 6 && kind <= kKindBrochures)) {
    const Point a = at(page.marginLeft(), page.marginTop());
    const Point b =
        at(page.pageWidth() - page.marginRight(), page.pageHeight() - page.marginBottom());
    const Point c{b.x - 1, b.y - 1};
    AxisLine(bitmap, a, {c.x, a.y}, true, clip);
    AxisLine(bitmap, {c.x, a.y}, c, true, clip);
    AxisLine(bitmap, c, {a.x, c.y}, true, clip);
    AxisLine(bitmap, {a.x, c.y}, a, true, clip);
  }
  const bool card = IsCardSheetKind(kind);
  const double width =
      card ? page.cardWidth() * (page.columnFold() != 0 ? 2 : 1) : page.pageWidth();
  const double height =
      card ? page.cardHeight() * (page.rowFold() != 0 ? 2 : 1) : page.pageHeight();
  const Point origin = at(0, 0);
  const Point corner = at(width, height);
  AxisLine(bitmap, {corner.x, origin.y}, corner, false, clip);
  AxisLine(bitmap, corner, {origin.x, corner.y}, false, clip);
  if (card && page.columnFold() != 0) {
    const int32_t x = at(page.cardWidth(), 0).x;
    AxisLine(bitmap, {x, origin.y}, {x, corner.y}, true, clip);
  }
  if (card && page.rowFold() != 0) {
    const int32_t y = at(0, page.cardHeight()).y;
    AxisLine(bitmap, {origin.x, y}, {corner.x, y}, true, clip);
  }
  if (kind == kKindBrochures) {
    // Hostile counts draw no more lines than a tile can show.
    const int32_t columns = std::min(page.columns(), kCanvasTileSide * 4);
    const int32_t rows = std::min(page.rows(), kCanvasTileSide * 4);
    const Point far = at(page.pageWidth(), page.pageHeight());
    if (page.columnFold() != 0 && columns > 1) {
      for (int32_t k = 1; k < columns; ++k) {
        const int32_t x = at(page.marginLeft() + k * page.cardWidth(), 0).x;
        AxisLine(bitmap, {x, origin.y}, {x, far.y}, true, clip);
      }
    }
    if (page.rowFold() != 0 && rows >= 2) {
      for (int32_t k = 1; k < rows; ++k) {
        const int32_t y = at(0, page.marginTop() + k * page.cardHeight()).y;
        AxisLine(bitmap, {origin.x, y}, {far.x, y}, true, clip);
      }
    }
  }
}

Rect PaintWindow(const CanvasTile& tile, const ItemList& list, Rect area, PaintScope scope,
                 int32_t upToLevel) {
  if (tile.bitmap == nullptr || tile.bitmap->empty()) return area;
  const Rect cleared = tile.CanvasRect(area);
  FillRect(*tile.bitmap, cleared, kCanvasBackground);
  if (const ItemRecord* page = list.PageRecord()) DrawPageDecoration(tile, *page, cleared);
  DrawGridLines(tile, list, cleared);
  for (const ItemRecord* item : DrawingOrder(list)) {
    if (item->setAside() != 0 || item->stackLevel() > upToLevel) continue;
    if (scope == PaintScope::ExceptSelected && item->selected() != 0) continue;
    const Rect r = ItemPaintRect(*item, list.screen());
    if (!Intersects(r, area)) continue;
    PaintItem(tile, *item, list, false);
    area = United(area, r);
  }
  return area;
}

Rect GrowRepaintRect(const CanvasTile& tile, const ItemList& list, Rect area) {
  Rect grown = area;
  for (const ItemRecord& item : list) {
    if (!IsVisible(item)) continue;
    if (item.shadowSize() > 0) return United(area, tile.WholeTile());
    const Rect r = ItemPaintRect(item, list.screen());
    if (Intersects(r, area)) grown = United(grown, r);
  }
  return grown;
}

}  // namespace quillon
