// SPDX-License-Identifier: GPL-3.0-or-later
// The anchor strips on the desk beside the rulers: a mark for every grid line, red under the
// pointer, drawn over the strips' clean pixels, and the line being dragged following the
// pointer.
#pragma once

#include <cstdint>
#include <optional>

#include "document/ItemList.h"
#include "page/AnchorLines.h"
#include "render/Bitmap.h"

namespace quillon {

class BitmapView;

// How the page lies on the desk: its origin in the desk's pixels (page origin minus scroll
// position) and the zoom.
struct DeskScale {
  Point canvasOffset;
  double zoom = 1.0;
};

// The line position (page pixels at 100 % from the desk origin) under a desk coordinate along
// the axis, and back; without a page the two are the same.
int32_t LinePositionAt(const ItemList& list, const DeskScale& scale, GridAxis axis, int32_t view);
int64_t LineViewAt(const ItemList& list, const DeskScale& scale, GridAxis axis, int32_t position);
// The axis whose strip holds the desk point: the top strip holds vertical lines' marks, the
// left one horizontal lines'; none elsewhere.
std::optional<GridAxis> StripAt(Point view);
// The coordinate of a desk point along the axis's positions.
inline int32_t AlongAxis(GridAxis axis, Point view) {
  return axis == GridAxis::Vertical ? view.x : view.y;
}

class DeskStrips {
 public:
  explicit DeskStrips(BitmapView& desk);

  // Puts the strips' clean pixels back and draws a mark for every live line of each axis
  // whose anchors are shown; the line that follows the pointer is drawn there instead.
  void Repaint(const ItemList& list, const DeskScale& scale);
  // Line `index` of the axis is drawn highlighted at a desk coordinate until Unfollow.
  void Follow(GridAxis axis, int index, int32_t view);
  void Unfollow();
  // The pointer over the desk: the anchor under it is highlighted alone (none off the strips
  // or where anchors are hidden) and the cursor says which way it drags. Whether the highlight
  // changed, so that the strips want a repaint.
  bool Hover(ItemList& list, const DeskScale& scale, Point view);
  // The pointer left the strips: no anchor stays highlighted; whether that changed any.
  bool Leave(ItemList& list);

 private:
  // Takes the desk's strips, before any mark, as the clean pixels.
  void SaveClean();
  void DrawMark(GridAxis axis, int64_t view, bool highlighted);

  BitmapView& desk_;
  Bitmap cleanTop_;
  Bitmap cleanLeft_;
  struct Followed {
    GridAxis axis;
    int index;
    int32_t view;
  };
  std::optional<Followed> followed_;
};

}  // namespace quillon
