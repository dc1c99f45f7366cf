// SPDX-License-Identifier: GPL-3.0-or-later
// What the drawing window does for the main window's commands: tools, keys, grid choices and
// the edits, and what edits tell it back.
#include "canvas/SandboxView.h"
#include "canvas/SandboxCanvas.h"
#include "canvas/SandboxDesk.h"
#include "canvas/TSandbox.h"

#include <QTimer>

#include "canvas/BitmapView.h"
#include "canvas/GestureFactory.h"
#include "document/EditCommands.h"
#include "document/History.h"
#include "document/PageSetup.h"
#include "document/ToolNumbers.h"
#include "page/AnchorLines.h"
#include "page/ApplyPageset.h"
#include "render/Coordinates.h"
#include "render/Transforms.h"

namespace quillon {

void TSandbox::SelectTool(int32_t tool) {
  if (closing_) return;
  const bool selectionPanel =
      tool == kToolSelectedLine ||
      (tool >= kToolFirstSelectedShape && tool <= kToolLastSelectedShape) ||
      tool == kToolSelectedPolygon ||
      (tool >= kGuidanceFirstSelectedShape && tool <= kToolLastGuidance) ||
      tool == kGuidanceSelectedLine;
  const bool selectedText = tool == kToolSelectedText || tool == kGuidanceSelectedText;
  const bool drawingTool =
      tool == kToolPointer || tool == kToolLine || IsShapeTool(tool) || tool == kToolText;
  // A tool or panel chosen elsewhere ends what the pointer was doing; the panels of the
  // selection keep its marks.
  if (selectionPanel) {
    LeaveGesture();
  } else if (drawingTool || tool == kToolDeselect || selectedText) {
    EndGesture();
  }
  // A shape panel starts its tool's gesture afresh, an Esc before it forgotten; the panels of
  // a continued spline or curve come with the continuation, whose points stay.
  if (tool >= kToolFirstShape && tool <= kToolSelectedPolygon && tool != kModeContinueSpline &&
      tool != kModeContinueCurve) {
    outcome_.cancelled = false;
  }
  if (selectionPanel || selectedText) tool_ = kModePointer;
  if (tool == kToolPointer) {
    tool_ = kModePointer;
    canvas_->Marks().InvalidateAll();
    FullRepaint(true);
  } else if (tool == kToolDeselect) {
    SelectOnly(items_, nullptr);
    FullRepaint(true);
    events_.SelectionChanged();
  } else if (tool == kToolLine || IsShapeTool(tool)) {
    tool_ = tool == kToolLine ? kModeLine : tool;
    canvas_->Marks().InvalidateAll();
    FullRepaint(true);
    // The spline and curve tools draw in the style last chosen; solids and oblongs in style 2.
    TParams& params = host_.Params();
    if (tool == kToolSpline) params.polyshape = params.polystate;
    if (tool == kToolSolid) params.polyshape = 2;
    if (tool == kToolCurve) params.bpolyshape = params.bpolystate;
    if (tool == kToolOblong) params.bpolyshape = 2;
  } else if (tool == kToolText) {
    tool_ = kModeText;
    canvas_->Marks().InvalidateAll();
  } else if (tool == kToolTextPanel || tool == kToolTextAngle) {
    // The text panel chosen by hand takes the text tool; another drawing tool's gesture stops.
    if (tool_ != kModeText && Mode() != kModeTextEdit) LeaveGesture();
    tool_ = kModeText;
  } else if (selectedText) {
    canvas_->DrawSelectionMarks();
  }
}

void TSandbox::SwitchSplineTool(int32_t tool) {
  const int32_t mode = Mode();
  if ((tool == kToolSpline && mode == kToolSolid) || (tool == kToolSolid && mode == kToolSpline) ||
      (tool == kToolCurve && mode == kToolOblong) || (tool == kToolOblong && mode == kToolCurve)) {
    tool_ = tool;
    // The points entered so far go on in the other style.
    if (gesture_ != nullptr) gesture_->SwitchTool(tool);
  }
}

void TSandbox::CopyAreaToClipboard() {
  canvas_->CopyAreaLater();
}

void TSandbox::SetGuides(Guides guides, int mode) {
  ItemRecord* page = items_.PageRecord();
  if (page == nullptr) return;
  const uint8_t horizontal = HorizontalOn(mode) ? 1 : 0;
  const uint8_t vertical = VerticalOn(mode) ? 1 : 0;
  switch (guides) {
    case Guides::Grid:
      page->setGridHorizontal(horizontal);
      page->setGridVertical(vertical);
      FullRepaint(true);
      break;
    case Guides::Anchors:
      page->setAnchorsHorizontal(horizontal);
      page->setAnchorsVertical(vertical);
      desk_->RepaintStrips();
      break;
    case Guides::Snap:
      page->setSnapHorizontal(horizontal);
      page->setSnapVertical(vertical);
      break;
  }
}

void TSandbox::ResetGrid(int flags) {
  EndGesture();
  if (!ResetAnchorLines(items_, flags, events_)) return;
  FullRepaint(true);
}

void TSandbox::ApplyPageSetup(const pageset_t& set, int32_t kind, const UnitGridDistances& grids) {
  EndGesture();
  if (!ApplyPagesetToRecord(items_, set, kind, grids)) return;
  ResetAnchorLines(items_, kResetBoth, events_);
  RefreshTitle();
  ZoomChanged();
}

void TSandbox::ClearUndoAndRedo() {
  EndGesture();
  ClearHistory(items_, events_);
  FullRepaint(true);
}

void TSandbox::Run(DocumentCommand command) {
  EndGesture();
  command(items_, events_);
}

void TSandbox::CopyItems(ItemList& buffer) {
  EndTextEdit();
  CopySelection(items_, buffer, events_);
}

void TSandbox::PasteItems(ItemList& buffer) {
  EndGesture();
  const bool wasModified = IsModified(items_);
  const ItemRecord* before = PasteBuffer(buffer, items_, events_);
  if (before == nullptr || items_.last() == before || FirstSelected(items_) == nullptr) return;
  // The copies follow the pointer by the centre of their bounding box until a click.
  Rect area{};
  bool any = false;
  for (ItemRecord* r : SelectedRecords(items_)) {
    TakeReference(*r);
    if (r->kind() == kKindGroupFrame) continue;
    const Rect box{r->boundLeft(), r->boundTop(), r->boundRight(), r->boundBottom()};
    area = any ? United(area, box) : box;
    any = true;
  }
  const Point centre{static_cast<int32_t>((int64_t{area.left} + area.right) / 2),
                     static_cast<int32_t>((int64_t{area.top} + area.bottom) / 2)};
  const Point anchor = ToWindowPoint(centre, GetZoom(), view_->TileOrigin());
  tool_ = kModePointer;
  gesture_ = PasteGesture(Context(), Hooks(), before, wasModified, anchor);
  // The canvas is drawn without the copies, which are drawn where they follow the pointer
  // only, so that none stays behind at its first place.
  if (canvas_->LiveDrag()) {
    FullRepaint(false);
    gesture_->Move({anchor, anchor});
  }
}

}  // namespace quillon
