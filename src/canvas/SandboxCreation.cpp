// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing window's side of the drawing tools: the commands on the points of a selected spline or curve (continuing it, deleting and inserting points).
#include <QTimer>

#include "canvas/CreationBuilders.h"
#include "canvas/GestureFactory.h"
#include "canvas/PointEditing.h"
#include "canvas/SandboxCanvas.h"
#include "canvas/SandboxView.h"
#include "canvas/TSandbox.h"
#include "document/ToolNumbers.h"

namespace quillon {
namespace {

// The characters of Ctrl-A, Ctrl-D and Ctrl-I.
constexpr char16_t kContinueCommand = 1;
constexpr char16_t kDeletePointCommand = 4;
constexpr char16_t kInsertPointCommand = 9;

}  // namespace

bool TSandbox::PointCommand(char16_t command) {
  if (Mode() != kModePointer ||
      (command != kContinueCommand && command != kDeletePointCommand &&
       command != kInsertPointCommand)) {
    return false;
  }
  ItemRecord* item = SelectedSplineOrCurve(items_);
  if (item == nullptr) return false;
  const GeometryContext geometry = canvas_->Geometry();
  if (command == kContinueCommand) {
    // Closed, solid and oblong items are not continued, but the key is still taken.
    if (CanContinue(*item)) ContinueItem(*item);
    return true;
  }
  canvas_->HoldMarks();
  canvas_->RemoveSelectionMarks();
  bool changed = false;
  if (command == kDeletePointCommand) {
    const HandleHit hit = HitHandle(*canvas_, lastPointerPt_, view_->TileOrigin());
    if (hit.item == item && hit.code < 0) {
      changed = DeletePoint(items_, events_, -hit.code, geometry);
    }
  } else {
    changed = InsertPoint(items_, events_, canvas_->ToDocument(lastPointerPt_), geometry);
  }
  if (changed) {
    FullRepaint(true);
    events_.SelectionChanged();
  } else {
    canvas_->DrawSelectionMarks();
  }
  return true;
}

void TSandbox::ContinueItem(ItemRecord& item) {
  const bool curve = item.kind() == kKindCurve;
  gesture_ = ContinuationGesture(Context(), Hooks(), item, lastPointerPt_);
  SelectOnly(items_, nullptr);
  tool_ = kModePointer;
  FullRepaint(false);
  gesture_->Move({lastPointerPt_, SnapPoint(lastPointerPt_)});
  events_.SelectionChanged();
  const int32_t guidance = curve ? kGuidanceContinueCurve : kGuidanceContinueSpline;
  const int guidanceSwitch = curve ? kGuidanceSwitchContinueCurve : kGuidanceSwitchContinueSpline;
  host_.ShowTool(GuidanceSwitchOn(host_.Params(), guidanceSwitch) ? guidance : Mode());
}

}  // namespace quillon
