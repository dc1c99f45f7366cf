// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing window's side of the drawing tools: the gesture of the tool's mode gets the
// clicks, the press-and-hold and the keys; a continuation that ends returns to the pointer.
#include <QTimer>

#include "canvas/CreationBuilders.h"
#include "canvas/PointEditing.h"
#include "canvas/SandboxCanvas.h"
#include "canvas/TSandbox.h"
#include "document/ToolNumbers.h"

namespace quillon {

CreationGesture* TSandbox::Creation() {
  if (creation_ == nullptr) creation_ = MakeCreationGesture(*canvas_, mode_);
  return creation_.get();
}

void TSandbox::ReleaseInCreation(const PointerInput& input) {
  if (creation_ == nullptr && (mode_ == kModeContinueSpline || mode_ == kModeContinueCurve)) {
    mode_ = kModePointer;
    return;
  }
  if (Creation() == nullptr) return;
  creation_->Release(input);
  if (creation_->Ended()) {
    creation_.reset();
    mode_ = kModePointer;
  }
  step_ = 0;
}

bool TSandbox::CreationKey(int key) {
  const bool continuing = mode_ == kModeContinueSpline || mode_ == kModeContinueCurve;
  if (creation_ == nullptr || !(IsCreationMode(mode_))) return false;
  if (key == Qt::Key_Escape) {
    if (creation_->Step() == 0 && !continuing) return false;
    creation_->Escape();
    if (continuing) {
      creation_.reset();
      mode_ = kModePointer;
      return true;
    }
    ResetGesture();
    gestureCancelled_ = true;
    if (IsShapeTool(mode_)) FullRepaint(true);
    if (IsPointListTool(mode_) && GuidanceOn(host_.Params(), EntryGuidancePageOf(mode_))) {
      host_.ShowTool(mode_);
    }
    return true;
  }
  if (!IsPointListTool(mode_)) return false;
  if (key != Qt::Key_Backspace && key != Qt::Key_Return && key != Qt::Key_Enter &&
      key != Qt::Key_C) {
    return false;
  }
  const bool taken = creation_->Key(key);
  if (creation_->Ended()) {
    creation_.reset();
    mode_ = kModePointer;
  }
  return taken;
}

void TSandbox::Timer1Timer() {
  // The button stayed down: the press is the first click, and the release the second.
  if (gestureCancelled_ || closing_) return;
  if (mode_ == kModeText && step_ == 0) {
    anchorPt_ = pressPt_;
    step_ = 1;
    ShowTextPanel();
    return;
  }
  if (!IsCreationMode(mode_)) return;
  if (Creation() != nullptr && creation_->Step() == 0) creation_->Hold(pressPt_);
}

bool TSandbox::PointCommand(char16_t command) {
  if (mode_ != kModePointer || (command != 1 && command != 4 && command != 9)) return false;
  ItemRecord* item = SelectedSplineOrCurve(items_);
  if (item == nullptr) return false;
  const GeometryContext geometry = canvas_->Geometry();
  if (command == 1) {
    // Closed, solid and oblong items are not continued, but the key is still taken.
    if (CanContinue(*item)) ContinueItem(*item);
    return true;
  }
  HoldMarks();
  canvas_->RemoveSelectionMarks();
  bool changed = false;
  if (command == 4) {
    const HandleHit hit = HitHandle(*canvas_, lastPointerPt_, TileOrigin());
    if (hit.item == item && hit.code < 0) {
      changed = DeletePoint(items_, events_, -hit.code, geometry);
    }
  } else {
    changed = InsertPoint(items_, events_, canvas_->ToDocument(lastPointerPt_), geometry);
  }
  if (changed) {
    FullRepaint(true);
    RefreshUndoRedo();
    events_.SelectionChanged();
  } else {
    canvas_->DrawSelectionMarks();
  }
  return true;
}

void TSandbox::ContinueItem(ItemRecord& item) {
  HoldMarks();
  canvas_->RemoveSelectionMarks();
  const bool curve = item.kind() == kKindCurve;
  creation_ =
      std::make_unique<PointListGesture>(*canvas_, item, canvas_->ToDocument(lastPointerPt_));
  SelectOnly(items_, nullptr);
  mode_ = curve ? kModeContinueCurve : kModeContinueSpline;
  FullRepaint(false);
  creation_->Move({lastPointerPt_, SnapPoint(lastPointerPt_)});
  events_.SelectionChanged();
  const int32_t guidance = curve ? 1075 : 1074;
  host_.ShowTool(GuidanceSwitchOn(host_.Params(), curve ? 36 : 27) ? guidance : mode_);
}

}  // namespace quillon
