// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing window's pointer and keyboard routing: each event goes to the gesture of the
// current mode; the window provides the canvas context the gestures work on.
#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QPainter>
#include <QTimer>

#include "canvas/BitmapView.h"
#include "canvas/CanvasGestures.h"
#include "canvas/SandboxCanvas.h"
#include "canvas/SandboxView.h"
#include "canvas/TSandbox.h"
#include "document/EditCommands.h"
#include "document/History.h"
#include "document/ToolNumbers.h"
#include "render/Coordinates.h"
#include "render/HitTest.h"
#include "render/Text.h"
#include "render/Transforms.h"

namespace quillon {
namespace {

PointerInput InputAt(Point raw, Point snapped, Qt::KeyboardModifiers modifiers) {
  return {raw, snapped, modifiers.testFlag(Qt::ShiftModifier),
          modifiers.testFlag(Qt::ControlModifier)};
}

// The drag handle a press on a handle starts: every rim handle of a circle pulls its radius,
// an ellipse's far axis ends pull the same axes as the near ones, and a group frame's centre
// moves every selected item.
int32_t DragHandleFor(const ItemRecord& item, int32_t code) {
  if (item.kind() == kKindCircle && code >= 1 && code <= 4) return kHandleStart;
  if (item.kind() == kKindEllipse && (code == 3 || code == 4)) return code - 2;
  if (item.kind() == kKindGroupFrame && code == kHandleMiddle) return kHandleMove;
  return code;
}

// A single selected picture's or upright box's side handles, and an unrotated picture's
// corners, show resize cursors; other handles the move cursor.
Qt::CursorShape CursorFor(const ItemRecord& item, int32_t code, bool one) {
  if (one && item.kind() == kKindPicture) {
    if (code == 105 || code == 107) return Qt::SizeVerCursor;
    if (code == 106 || code == 108) return Qt::SizeHorCursor;
    if (item.rotation() == 0 && (code == 101 || code == 103)) return Qt::SizeFDiagCursor;
    if (item.rotation() == 0 && (code == 102 || code == 104)) return Qt::SizeBDiagCursor;
  }
  if (one && (item.kind() == kKindSquare || item.kind() == kKindRectangle)) {
    if (code == 205 || code == 207) return Qt::SizeVerCursor;
    if (code == 206 || code == 208) return Qt::SizeHorCursor;
  }
  return Qt::SizeAllCursor;
}

}  // namespace

Point TSandbox::SnapPoint(Point canvas) const {
  const double zoom = GetZoom();
  const Point document = SnapToGrid(items_, ToDocumentPoint(canvas, zoom, TileOrigin()));
  return ToWindowPoint(document, zoom, TileOrigin());
}

void TSandbox::Image1MouseDown(Point canvas, Qt::KeyboardModifiers modifiers) {
  lastPointerPt_ = canvas;
  if (doubleClickPending_ || !ready_ || closing_ || items_.PageRecord() == nullptr) return;
  const Point snapped = SnapPoint(canvas);
  // The double click looks for a picture at the snapped press, in page pixels.
  lastDownPt_ = snapped;
  view_->ShowPositionMarkers({snapped.x, snapped.y});
  // A press inside the text being edited only moves the caret.
  if (CaretClick(canvas)) return;
  gestureCancelled_ = false;
  canvas_->CanvasChanged(canvas_->Marks().Restore(Overlay::kPreview));
  if (modifiers.testFlag(Qt::ControlModifier)) {
    // Ctrl starts a rubber band whatever the tool: the gesture in progress ends first.
    if (mode_ != kModePointer) EndGesture();
    mode_ = kModePointer;
  }
  lastRubberBand_ = {};
  PressInMode(InputAt(canvas, snapped, modifiers));
}

void TSandbox::HoldMarks() {
  if (!timer3_->isActive()) return;
  timer3_->stop();
  if (deferredAction_ == 1) CopyRubberBandNow();
}

void TSandbox::PressInMode(const PointerInput& input) {
  if (mode_ == kModePointer && !input.ctrl) {
    const HandleHit hit = HitHandle(*canvas_, input.raw, TileOrigin());
    if (hit.item != nullptr) {
      HoldMarks();
      mode_ = HandleDragMode(hit.item->kind(), hit.code);
      dragHandle_ = DragHandleFor(*hit.item, hit.code);
      step_ = 0;
      anchorPt_ = input.snapped;
      canvas_->RemoveSelectionMarks();
      BeginEdit(items_, events_, true);
      RefreshUndoRedo();
      // A selection of several kinds moves as a whole, whichever handle was taken.
      if (!SelectedKindsAgree(items_)) dragHandle_ = kHandleMove;
      gesture_ = std::make_unique<DragGesture>(*canvas_, DragGesture::Kind::Handle, dragHandle_,
                                               anchorPt_);
    }
  } else if (mode_ == kModePointer) {
    HoldMarks();
    mode_ = kModeRubberBand;
    canvas_->Marks().Invalidate(Overlay::kPreview);
    if (!input.shift) SelectOnly(items_, nullptr);
    canvas_->RemoveSelectionMarks();
    gesture_ = std::make_unique<RubberBandGesture>(*canvas_, input.snapped);
  } else if (mode_ == kModeLine) {
    canvas_->RemoveSelectionMarks();
    Creation();
  } else if (mode_ == kModeText) {
    if (step_ != 1) {
      EndTextEdit();
      SelectOnly(items_, nullptr);
      FullRepaint(true);
      step_ = 0;
    }
  } else if (mode_ == kModeTextEdit) {
    EndTextEdit();
    mode_ = kModePointer;
    step_ = 0;
    return;
  } else if (mode_ == kModePaste) {
    return;
  } else if (IsShapeTool(mode_)) {
    canvas_->RemoveSelectionMarks();
    if (Creation() != nullptr && creation_->Step() > 0) return;
  }
  pressPt_ = input.snapped;
  timer1_->start();
}

void TSandbox::Image1MouseMove(Point canvas, Qt::KeyboardModifiers modifiers) {
  lastPointerPt_ = canvas;
  if (!ready_ || closing_) return;
  const Point snapped = SnapPoint(canvas);
  view_->ShowPositionMarkers({snapped.x, snapped.y});
  if (gestureCancelled_) return;
  if (mode_ == kModePointer) {
    UpdateCursor(canvas);
  } else if (mode_ == kModeText) {
    MoveInText(snapped);
  } else if (gesture_ != nullptr) {
    gesture_->Move(InputAt(canvas, snapped, modifiers));
  } else if (creation_ != nullptr) {
    creation_->Move(InputAt(canvas, snapped, modifiers));
  }
}

void TSandbox::UpdateCursor(Point canvas) {
  const HandleHit hit = HitHandle(*canvas_, canvas, TileOrigin());
  view_->Image()->setCursor(
      hit.item == nullptr ? Qt::ArrowCursor
                          : CursorFor(*hit.item, hit.code, CountSelected(items_, false) == 1));
}

void TSandbox::Image1MouseUp(Point canvas, Qt::KeyboardModifiers modifiers) {
  lastPointerPt_ = canvas;
  if (doubleClickPending_ || !ready_ || closing_) return;
  timer1_->stop();
  // The marks' timer stops; a pending Copy to Clipboard runs now instead of being dropped.
  HoldMarks();
  if (CaretClick(canvas)) return;
  const Point snapped = mode_ != kModePointer ? SnapPoint(canvas) : canvas;
  if (gestureCancelled_) return;
  const PointerInput input = InputAt(canvas, snapped, modifiers);
  if (mode_ == kModePointer) {
    ClickSelect(*canvas_, canvas, input.shift);
    return;
  }
  if (IsCreationMode(mode_)) {
    ReleaseInCreation(input);
    return;
  }
  if (mode_ == kModeText) {
    ReleaseInText(input);
    return;
  }
  if (gesture_ == nullptr) return;
  std::unique_ptr<Gesture> gesture = std::move(gesture_);
  if (mode_ == kModeRubberBand) {
    const auto& band = static_cast<const RubberBandGesture&>(*gesture);
    gesture->Release(input);
    const Rect drawn = band.Band();
    const Point topLeft = canvas_->ToDocument({drawn.left, drawn.top});
    const Point bottomRight = canvas_->ToDocument({drawn.right, drawn.bottom});
    lastRubberBand_ = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
  } else {
    gesture->Release(input);
  }
  mode_ = kModePointer;
  step_ = 0;
}

void TSandbox::Image1DblClick() {
  if (!ready_ || closing_) return;
  doubleClickPending_ = true;
  timer2_->start();
}

void TSandbox::Timer2Timer() {
  doubleClickPending_ = false;
  if (closing_ || mode_ != kModePointer) return;
  ItemRecord* sole = SoleSelected(items_);
  if (sole != nullptr && sole->kind() == kKindText && sole->hidden() == 0) {
    BeginTextEdit(*sole);
    return;
  }
  // The picture under the double click becomes the only selection.
  const GeometryContext geometry = canvas_->Geometry();
  const Point d = canvas_->ToDocument(lastDownPt_);
  ItemRecord* found = nullptr;
  int32_t best = geometry.PickTolerance();
  for (ItemRecord& item : items_) {
    if (item.kind() != kKindPicture || !IsVisible(item)) continue;
    if (d.x < item.boundLeft() || d.x > item.boundRight() || d.y < item.boundTop() ||
        d.y > item.boundBottom()) {
      continue;
    }
    if (1 <= best) {
      best = 1;
      found = &item;
    }
  }
  if (found == nullptr) return;
  canvas_->RemoveSelectionMarks();
  SelectOnly(items_, found);
  canvas_->DrawSelectionMarks();
  events_.SelectionChanged();
  host_.ShowTool(kToolSelectedPicture);
  host_.EditPictureClip();
}

void TSandbox::ResetGesture() {
  step_ = 0;
  if (creation_ != nullptr && mode_ != kModeContinueSpline && mode_ != kModeContinueCurve) {
    creation_->Cancel();
    creation_.reset();
  }
  gestureCancelled_ = false;
  anchorPt_ = {};
  secondPt_ = {};
}

void TSandbox::LeaveGesture() {
  if (gesture_ != nullptr) {
    std::unique_ptr<Gesture> gesture = std::move(gesture_);
    gesture->Cancel();
  }
  if (creation_ != nullptr) {
    std::unique_ptr<CreationGesture> creation = std::move(creation_);
    creation->Cancel();
  }
  EndTextEdit();
  canvas_->CanvasChanged(canvas_->Marks().RestoreAll());
  timer1_->stop();
  // A drawing tool stays chosen; whatever else was going on returns to the pointer.
  if (!IsToolMode(mode_)) mode_ = kModePointer;
  step_ = 0;
}

void TSandbox::EndGesture() {
  LeaveGesture();
  canvas_->RemoveSelectionMarks();
}

bool TSandbox::KeyDown(int key, Qt::KeyboardModifiers modifiers) {
  if (!acceptsKeys_ || !ready_ || closing_) return false;
  if (TextKey(key, modifiers)) {
    // Only the caret keys are consumed.
    return key != Qt::Key_Escape && key != Qt::Key_Delete;
  }
  if (!modifiers.testFlag(Qt::ControlModifier) && CreationKey(key)) return false;
  if (key == Qt::Key_Escape) {
    if (gesture_ != nullptr && (IsHandleDragMode(mode_) || mode_ == kModePaste)) {
      const bool paste = mode_ == kModePaste;
      std::unique_ptr<Gesture> gesture = std::move(gesture_);
      mode_ = kModePointer;
      step_ = 0;
      gesture->Escape();
      gestureCancelled_ = !paste;
      if (paste) FullRepaint(false);
      RefreshUndoRedo();
    } else if (mode_ == kModeRubberBand && gesture_ != nullptr) {
      std::unique_ptr<Gesture> gesture = std::move(gesture_);
      gesture->Escape();
      mode_ = kModePointer;
      gestureCancelled_ = true;
    } else if (IsShapeTool(mode_) || (mode_ == kModeLine && step_ == 1)) {
      canvas_->CanvasChanged(canvas_->Marks().Restore(Overlay::kPreview));
      ResetGesture();
      gestureCancelled_ = true;
      if (IsShapeTool(mode_)) FullRepaint(true);
    }
    return false;
  }
  // Delete takes the grid line of a highlighted anchor, else the selection; the caret keys of
  // text entry are the only ones consumed.
  if (key == Qt::Key_Delete && DeleteHighlightedAnchor()) return false;
  if (key == Qt::Key_Delete && mode_ != kModeText && mode_ != kModeTextEdit) CutItems();
  return false;
}

bool TSandbox::CharTyped(QChar character) {
  return CharTyped(QString(character));
}

bool TSandbox::CharTyped(const QString& characters) {
  if (!acceptsKeys_ || !ready_ || closing_ || characters.isEmpty()) return false;
  const bool taken = TypeText(characters) || PointCommand(characters[0].unicode());
  keyModifiers_ = {};
  return taken;
}

}  // namespace quillon
