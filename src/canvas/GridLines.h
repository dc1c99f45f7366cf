// SPDX-License-Identifier: GPL-3.0-or-later
// The grid on the canvas: the grid lines under the items, moving a grid line together with the
// items that lie on it, and the page's edges dragged on a ruler.
#pragma once

#include <cstdint>
#include <vector>

#include "canvas/WindowPainter.h"
#include "document/EditObserver.h"
#include "document/ItemList.h"
#include "page/AnchorLines.h"
#include "render/GeometryContext.h"

namespace quillon {

inline constexpr uint32_t kGridLineColour = 16764074;  // light blue

// The Grid, Anchors and Snap choices: the directions they are on in.
inline constexpr int kDirectionsNone = 0;
inline constexpr int kDirectionsHorizontal = 1;
inline constexpr int kDirectionsVertical = 2;
inline constexpr int kDirectionsBoth = 3;
constexpr bool HorizontalOn(int choice) {
  return choice == kDirectionsHorizontal || choice == kDirectionsBoth;
}
constexpr bool VerticalOn(int choice) {
  return choice == kDirectionsVertical || choice == kDirectionsBoth;
}
// The three choices made by direction: the grid shown, the anchors beside the rulers, and
// the snapping of points to the grid lines.
enum class Guides { Grid, Anchors, Snap };
// An item lies on a grid line when one of its defining coordinates is this close to it.
inline constexpr int32_t kOnLineDistance = 2;

// The shift from document pixels to line positions (page pixels at 100 % from the desk
// origin): Round(page origin / zoom) along the axis's coordinate.
int32_t LineShift(const ItemRecord& page, GridAxis axis);

// Draws the live lines of every axis whose grid is shown, one pixel wide across the page, where
// they meet clip (canvas pixels).
void DrawGridLines(const CanvasTile& tile, const ItemList& list, Rect clip);

// The visible items with a defining coordinate within kOnLineDistance of the line position
// (desk positions): the x (y) of both ends of texts, lines and pictures, every outline point,
// the centre of ellipses, the centre and both rims of circles and round clips.
std::vector<ItemRecord*> ItemsOnLine(const ItemList& list, GridAxis axis, int32_t position);

// Moves line `index` of the axis to the position, with the items lying on it, as one undo step;
// the selection is kept. False, changing nothing, when the page does not show that axis's grid
// and anchors, there is no such live line or it is at the position already.
bool MoveGridLine(ItemList& list, EditObserver& observer, const GeometryContext& geometry,
                  GridAxis axis, int index, int32_t position);

// The page's far edge (width or height) or near edge (left or top offset) dragged on a ruler by
// `delta` zoomed pixels: the design area changes, the redo history is dropped, every version of
// the grid follows the edge (the near edge shifts the lines with the page, the far edge adds
// lines up to it), and the document is marked modified. Whether anything changed.
enum class PageEdge { Far, Near };
bool DragPageEdge(ItemList& list, EditObserver& observer, GridAxis axis, PageEdge edge,
                  int32_t delta);
// The zoomed pixel length of the page along the axis after dragging its far edge by delta.
int32_t DraggedPageLength(const ItemRecord& page, GridAxis axis, int32_t delta);

}  // namespace quillon
