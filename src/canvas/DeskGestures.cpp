// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/DeskGestures.h"

#include <algorithm>
#include <cstdlib>

#include "render/Coordinates.h"

namespace quillon {
namespace {

constexpr int32_t kEdgeReach = 5;  // pixels from a page edge that grab it on a ruler

}  // namespace

GridLineDrag::GridLineDrag(DeskContext& desk, GridAxis axis, int index)
    : desk_(desk), axis_(axis), index_(index) {}

void GridLineDrag::Press(const PointerInput& input) {
  Move(input);
}

void GridLineDrag::Move(const PointerInput& input) {
  desk_.Strips().Follow(axis_, index_, AlongAxis(axis_, input.raw));
  desk_.RepaintStrips();
}

void GridLineDrag::Release(const PointerInput& input) {
  finished_ = true;
  desk_.Strips().Unfollow();
  // Released outside its strip, the line stays within the strip's span.
  const int32_t span = AlongAxis(axis_, desk_.DeskSize());
  const int32_t at = std::clamp(AlongAxis(axis_, input.raw), 0, std::max(0, span - 1));
  MoveGridLine(desk_.Items(), desk_.Events(), desk_.Geometry(), axis_, index_,
               LinePositionAt(desk_.Items(), desk_.Scale(), axis_, at));
  desk_.GridChanged();
}

void GridLineDrag::Escape() {
  Cancel();
}

void GridLineDrag::Cancel() {
  if (finished_) return;
  finished_ = true;
  desk_.Strips().Unfollow();
  desk_.RepaintStrips();
}

PageEdgeDrag::PageEdgeDrag(DeskContext& desk, GridAxis axis, PageEdge edge, int32_t press)
    : desk_(desk), axis_(axis), edge_(edge), press_(press), before_(desk.RulerShown(axis)) {}

void PageEdgeDrag::Press(const PointerInput& input) {
  // The far edge shows its read-out at once.
  if (edge_ == PageEdge::Far) Move(input);
}

void PageEdgeDrag::Move(const PointerInput& input) {
  const ItemRecord* page = desk_.Items().PageRecord();
  if (page == nullptr) return;
  const int64_t delta = int64_t{AlongAxis(axis_, input.raw)} - press_;
  RulerScale scale = desk_.RulerShown(axis_);
  if (edge_ == PageEdge::Far) {
    scale.pageLength = DraggedPageLength(*page, axis_, ClampToInt32(delta));
    const double ppu =
        axis_ == GridAxis::Vertical ? page->pixelsPerUnitX() : page->pixelsPerUnitY();
    const QString caption =
        QString::fromLatin1(axis_ == GridAxis::Vertical ? "Width: " : "Height: ") +
        QString::fromStdString(
            FormatMeasure(page->pageUnits(), scale.pageLength / ppu / desk_.Scale().zoom));
    desk_.ShowOnRuler(axis_, scale);
    desk_.ShowReadout(axis_, {input.raw.x, input.raw.y}, caption);
  } else {
    const int32_t near = AlongAxis(axis_, desk_.Scale().canvasOffset);
    scale.pageStart = ClampToInt32(std::max<int64_t>(0, near + delta));
    desk_.ShowOnRuler(axis_, scale);
    desk_.HideReadout();
  }
}

void PageEdgeDrag::Release(const PointerInput& input) {
  finished_ = true;
  desk_.HideReadout();
  const bool changed = DragPageEdge(desk_.Items(), desk_.Events(), axis_, edge_,
                                    ClampToInt32(int64_t{AlongAxis(axis_, input.raw)} - press_));
  desk_.PageEdgeDropped(changed);
}

void PageEdgeDrag::Escape() {
  Cancel();
}

void PageEdgeDrag::Cancel() {
  if (finished_) return;
  finished_ = true;
  desk_.HideReadout();
  desk_.ShowOnRuler(axis_, before_);
}

std::unique_ptr<Gesture> GridLineDragFor(DeskContext& desk) {
  const ItemRecord* anchors = FindVisibleByKind(desk.Items(), kKindAnchors);
  if (anchors == nullptr) return nullptr;
  for (GridAxis axis : {GridAxis::Vertical, GridAxis::Horizontal}) {
    const int index = HighlightedAnchor(*anchors, axis);
    if (index >= 0) return std::make_unique<GridLineDrag>(desk, axis, index);
  }
  return nullptr;
}

std::optional<PageEdge> PageEdgeNear(DeskContext& desk, GridAxis axis, int32_t along) {
  const ItemRecord* page = desk.Items().PageRecord();
  if (page == nullptr) return std::nullopt;
  const int32_t near = AlongAxis(axis, desk.Scale().canvasOffset);
  const int64_t far =
      int64_t{near} + (axis == GridAxis::Vertical ? page->boundWidth() : page->boundHeight());
  if (std::abs(int64_t{along} - far) <= kEdgeReach) return PageEdge::Far;
  if (std::abs(int64_t{along} - near) <= kEdgeReach) return PageEdge::Near;
  return std::nullopt;
}

std::unique_ptr<Gesture> PageEdgeDragFor(DeskContext& desk, GridAxis axis, Point at) {
  const int32_t along = AlongAxis(axis, at);
  const std::optional<PageEdge> edge = PageEdgeNear(desk, axis, along);
  if (!edge) return nullptr;
  return std::make_unique<PageEdgeDrag>(desk, axis, *edge, along);
}

bool AddGridLineAt(DeskContext& desk, Point view) {
  const std::optional<GridAxis> axis = StripAt(view);
  if (!axis) return false;
  const int32_t position =
      LinePositionAt(desk.Items(), desk.Scale(), *axis, AlongAxis(*axis, view));
  if (!InsertGridLine(desk.Items(), desk.Events(), *axis, position)) return false;
  desk.GridChanged();
  return true;
}

}  // namespace quillon
