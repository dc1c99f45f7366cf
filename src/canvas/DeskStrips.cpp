// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/DeskStrips.h"

#include <QPainter>
#include <algorithm>

#include "canvas/BitmapView.h"
#include "canvas/GridLines.h"
#include "render/Coordinates.h"

namespace quillon {
namespace {

constexpr uint32_t kAnchorColour = 16742981;  // blue
constexpr uint32_t kHighlightColour = 255;    // red
constexpr uint32_t kAnchorShine = 0xFFFFFF;   // the cylinder's light stripe

int32_t OffsetAlong(const DeskScale& scale, GridAxis axis) {
  return AlongAxis(axis, scale.canvasOffset);
}

}  // namespace

int32_t LinePositionAt(const ItemList& list, const DeskScale& scale, GridAxis axis, int32_t view) {
  const ItemRecord* page = list.PageRecord();
  if (page == nullptr) return view;
  return ClampToInt32(
      int64_t{RoundToInt32((int64_t{view} - OffsetAlong(scale, axis)) / scale.zoom)} +
      LineShift(*page, axis));
}

int64_t LineViewAt(const ItemList& list, const DeskScale& scale, GridAxis axis, int32_t position) {
  const ItemRecord* page = list.PageRecord();
  if (page == nullptr) return position;
  return int64_t{RoundToInt32((int64_t{position} - LineShift(*page, axis)) * scale.zoom)} +
         OffsetAlong(scale, axis);
}

std::optional<GridAxis> StripAt(Point view) {
  if (view.y < view.x) {
    if (view.y >= 0 && view.y < kAnchorStripDepth) return GridAxis::Vertical;
    return std::nullopt;
  }
  if (view.x >= 0 && view.x < kAnchorStripDepth) return GridAxis::Horizontal;
  return std::nullopt;
}

DeskStrips::DeskStrips(BitmapView& desk) : desk_(desk) {}

void DeskStrips::SaveClean() {
  const Bitmap& desk = desk_.bitmap();
  const int depth = std::min(kAnchorStripDepth, std::min(desk.width(), desk.height()));
  cleanTop_ = Bitmap::TryCreate(desk.width(), depth);
  cleanLeft_ = Bitmap::TryCreate(depth, desk.height());
  if (!cleanTop_.empty()) cleanTop_.CopyFrom(desk, 0, 0, desk.width(), depth, 0, 0);
  if (!cleanLeft_.empty()) cleanLeft_.CopyFrom(desk, 0, 0, depth, desk.height(), 0, 0);
}

void DeskStrips::DrawMark(GridAxis axis, int64_t view, bool highlighted) {
  Bitmap& desk = desk_.bitmap();
  if (desk.empty()) return;
  const int64_t start = view - kAnchorMarkSide / 2;
  // Marks that would start before the strip are left out.
  if (start < 0 || start >= (axis == GridAxis::Vertical ? desk.width() : desk.height())) return;
  const int s = static_cast<int>(start);
  const int c = static_cast<int>(view);
  const QColor colour = ToQColor(highlighted ? kHighlightColour : kAnchorColour);
  QImage image = desk.Image();
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  // A small cylinder lying across the strip, and a tick of the mark margin towards the page.
  const QRect mark = axis == GridAxis::Vertical ? QRect(s, 1, kAnchorMarkSide, kAnchorMarkSide)
                                                : QRect(1, s, kAnchorMarkSide, kAnchorMarkSide);
  painter.fillRect(mark.adjusted(1, 0, -1, 0), colour);
  painter.fillRect(mark.adjusted(0, 1, 0, -1), colour);
  painter.setPen(ToQColor(kAnchorShine));
  if (axis == GridAxis::Vertical) {
    painter.drawLine(s + 2, 2, s + 2, kAnchorMarkSide - 1);
    painter.setPen(colour);
    painter.drawLine(c, 1 + kAnchorMarkSide, c, kAnchorMarkSide + kAnchorMarkMargin);
  } else {
    painter.drawLine(2, s + 2, kAnchorMarkSide - 1, s + 2);
    painter.setPen(colour);
    painter.drawLine(1 + kAnchorMarkSide, c, kAnchorMarkSide + kAnchorMarkMargin, c);
  }
}

void DeskStrips::Repaint(const ItemList& list, const DeskScale& scale) {
  Bitmap& desk = desk_.bitmap();
  if (desk.empty()) return;
  if (cleanTop_.width() != desk.width() || cleanLeft_.height() != desk.height()) SaveClean();
  if (cleanTop_.empty() || cleanLeft_.empty()) return;
  desk.CopyFrom(cleanTop_, 0, 0, cleanTop_.width(), cleanTop_.height(), 0, 0);
  desk.CopyFrom(cleanLeft_, 0, 0, cleanLeft_.width(), cleanLeft_.height(), 0, 0);
  const ItemRecord* page = list.PageRecord();
  const ItemRecord* anchors = FindVisibleByKind(list, kKindAnchors);
  if (page != nullptr && anchors != nullptr) {
    for (GridAxis axis : {GridAxis::Vertical, GridAxis::Horizontal}) {
      if (!AnchorsShown(*page, axis)) continue;
      const std::vector<AnchorEntry>& lines = LinesOf(*anchors, axis);
      const int dragged = followed_ && followed_->axis == axis ? followed_->index : -1;
      for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].deleted != 0 || static_cast<int>(i) == dragged) continue;
        DrawMark(axis, LineViewAt(list, scale, axis, lines[i].position), lines[i].highlighted != 0);
      }
      if (dragged >= 0) DrawMark(axis, followed_->view, true);
    }
  }
  desk_.update(0, 0, desk.width(), kAnchorStripDepth);
  desk_.update(0, 0, kAnchorStripDepth, desk.height());
}

void DeskStrips::Follow(GridAxis axis, int index, int32_t view) {
  followed_ = Followed{axis, index, view};
}

void DeskStrips::Unfollow() {
  followed_.reset();
}

bool DeskStrips::Hover(ItemList& list, const DeskScale& scale, Point view) {
  const ItemRecord* page = list.PageRecord();
  ItemRecord* anchors = FindVisibleByKind(list, kKindAnchors);
  if (page == nullptr || anchors == nullptr) return false;
  const std::optional<GridAxis> strip = StripAt(view);
  const GridAxis axis = strip.value_or(GridAxis::Vertical);
  int index = -1;
  if (strip && AnchorsShown(*page, axis)) {
    index = AnchorIndexAt(LinesOf(*anchors, axis),
                          LinePositionAt(list, scale, axis, AlongAxis(axis, view)));
  }
  const bool changed = HighlightAnchor(*anchors, axis, index);
  desk_.setCursor(index < 0                    ? Qt::ArrowCursor
                  : axis == GridAxis::Vertical ? Qt::SizeHorCursor
                                               : Qt::SizeVerCursor);
  return changed;
}

bool DeskStrips::Leave(ItemList& list) {
  ItemRecord* anchors = FindVisibleByKind(list, kKindAnchors);
  if (anchors == nullptr) return false;
  const bool changed = HighlightAnchor(*anchors, GridAxis::Vertical, -1);
  desk_.setCursor(Qt::ArrowCursor);
  return changed;
}

}  // namespace quillon
