// SPDX-License-Identifier: GPL-3.0-or-later
// The window painter: draws a document into a drawing window's canvas tile, that is the
// page background, the page decoration and the items in stacking order, with the window's
// zoom and tile origin.
#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "document/Geometry.h"
#include "document/ItemList.h"
#include "render/Bitmap.h"
#include "render/RenderPage.h"

namespace quillon {

// The largest canvas tile, in pixels per side.
inline constexpr int32_t kCanvasTileSide = 1600;
// The page background and the lines of the page decoration.
inline constexpr uint32_t kCanvasBackground = 0xFFFFFF;
inline constexpr uint32_t kPageDecorationColour = kSilver;

// The window's switches for what is drawn in full: "Show all pictures", "Show all shadows",
// "Show all 3-D effects".
struct DisplayOptions {
  bool showPictures = true;
  bool showShadows = true;
  bool showSurfaces = true;
  friend bool operator==(const DisplayOptions&, const DisplayOptions&) = default;
};

// A canvas tile and how document pixels map onto it: round(zoom * p) - origin per axis.
struct CanvasTile {
  Bitmap* bitmap = nullptr;
  double zoom = 1.0;
  Point origin;  // where the tile lies inside the zoomed page
  DisplayOptions display;
  bool busyLoading = false;  // the document is being loaded and first laid out

  Point ToCanvas(Point document) const;
  // The canvas pixels a document rectangle covers, clipped to the tile.
  Rect CanvasRect(Rect document) const;
  // The document rectangle the canvas rectangle shows (widened to whole document pixels).
  Rect DocumentRect(Rect canvas) const;
  // The document rectangle the whole tile shows.
  Rect WholeTile() const;
};

// The rectangle an item paints over in document pixels: its bounding box widened on every side
// by round(lineWeight * pxPerMmX) when that is above 1.
Rect ItemPaintRect(const ItemRecord& item, const ScreenMetrics& screen);
// Where drawing an item can change the canvas (document pixels): its paint rectangle grown by
// its frame and by its shadow, blur included.
Rect ItemReachRect(const ItemRecord& item, const ItemList& list);

// Draws one item into the tile; quick while items are dragged (no shadows, flat surfaces).
void PaintItem(const CanvasTile& tile, const ItemRecord& item, const ItemList& list, bool quick);

enum class PaintScope { All, ExceptSelected };

// Clears area (document pixels, clipped to the tile) to the background, draws the page
// decoration and every item whose paint rectangle meets the area; each item drawn widens the
// area, so that later items overlapping it are drawn too. Items set aside for re-editing, and
// with ExceptSelected the selected ones, are skipped, and so are items stacked above upToLevel.
// Returns the area finally covered.
Rect PaintWindow(const CanvasTile& tile, const ItemList& list, Rect area,
                 PaintScope scope = PaintScope::All,
                 int32_t upToLevel = std::numeric_limits<int32_t>::max());

// The area a region repaint must cover: the whole tile when a visible item casts a shadow,
// otherwise area grown by the paint rectangle of every visible item that meets it.
Rect GrowRepaintRect(const CanvasTile& tile, const ItemList& list, Rect area);

// The printable area and the page or card edges, the fold lines and the brochure's column and
// row lines, one pixel wide in silver, drawn where they meet clip (canvas pixels).
void DrawPageDecoration(const CanvasTile& tile, const ItemRecord& page, Rect clip);

// Rectangle helpers (right and bottom exclusive).
bool Intersects(const Rect& a, const Rect& b);
Rect United(const Rect& a, const Rect& b);
Rect Intersected(const Rect& a, const Rect& b);
bool IsEmpty(const Rect& r);

}  // namespace quillon
