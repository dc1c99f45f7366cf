// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing window's pointer and keyboard routing: each event goes to the gesture of the
// current mode; the window provides the canvas context the gestures work on.
#include <QApplication>
#include <QCursor>
#include <QImage>
#include <QPainter>
#include <QTimer>

#include "canvas/SandboxView.h"
#include "canvas/SandboxCanvas.h"
#include "canvas/SandboxDesk.h"
#include "canvas/BitmapView.h"
#include "canvas/CanvasGestures.h"
#include "canvas/GestureFactory.h"
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

// A single selected picture's or upright box's side handles, and an unrotated picture's
// corners, show resize cursors; other handles the move cursor.
Qt::CursorShape CursorFor(const ItemRecord& item, int32_t code, bool one) {
  if (one && item.kind() == kKindPicture) {
    if (code == kHandlePictureTop || code == kHandlePictureBottom) return Qt::SizeVerCursor;
    if (code == kHandlePictureRight || code == kHandlePictureLeft) return Qt::SizeHorCursor;
    const bool upright = item.rotation() == 0;
    if (upright && (code == kHandlePictureTopLeft || code == kHandlePictureBottomRight)) {
      return Qt::SizeFDiagCursor;
    }
    if (upright && (code == kHandlePictureTopRight || code == kHandlePictureBottomLeft)) {
      return Qt::SizeBDiagCursor;
    }
  }
  if (one && (item.kind() == kKindSquare || item.kind() == kKindRectangle)) {
    if (code == kHandleSideBottom || code == kHandleSideTop) return Qt::SizeVerCursor;
    if (code == kHandleSideRight || code == kHandleSideLeft) return Qt::SizeHorCursor;
  }
  return Qt::SizeAllCursor;
}

// The topmost visible picture whose box holds the canvas point becomes the only selection;
// whether there was one. It is looked for within a pick tolerance of at least one pixel.
bool SelectPictureUnder(CanvasContext& canvas, Point at) {
  if (canvas.Geometry().PickTolerance() < 1) return false;
  const Point d = canvas.ToDocument(at);
  ItemRecord* found = nullptr;
  for (ItemRecord& item : canvas.Items()) {
    if (item.kind() != kKindPicture || !IsVisible(item)) continue;
    if (d.x >= item.boundLeft() && d.x <= item.boundRight() && d.y >= item.boundTop() &&
        d.y <= item.boundBottom()) {
      found = &item;
    }
  }
  if (found == nullptr) return false;
  canvas.RemoveSelectionMarks();
  SelectOnly(canvas.Items(), found);
  canvas.DrawSelectionMarks();
  canvas.Events().SelectionChanged();
  return true;
}

}  // namespace

Point TSandbox::SnapPoint(Point canvas) const {
  const double zoom = GetZoom();
  const Point document = SnapToGrid(items_, ToDocumentPoint(canvas, zoom, view_->TileOrigin()));
  return ToWindowPoint(document, zoom, view_->TileOrigin());
}

int32_t TSandbox::Mode() const {
  const int32_t gestureMode = gesture_ != nullptr ? gesture_->Mode() : 0;
  return gestureMode != 0 ? gestureMode : tool_;
}

GestureHooks TSandbox::Hooks() {
  return {[this] { canvas_->HoldMarks(); }, [this](bool editing) { RestartCaret(editing); }};
}

bool TSandbox::ToGesture(const std::function<bool(Gesture&)>& event) {
  std::unique_ptr<Gesture> gesture = std::move(gesture_);
  if (gesture == nullptr) gesture = ToolGesture(Context(), Hooks(), tool_);
  if (gesture == nullptr) return false;
  const bool taken = event(*gesture);
  if (gesture->Finished()) {
    gesture->Outcome(outcome_);
  } else if (gesture_ == nullptr) {
    gesture_ = std::move(gesture);
  }
  return taken;
}

void TSandbox::Image1MouseDown(Point canvas, Qt::KeyboardModifiers modifiers) {
  lastPointerPt_ = canvas;
  // The second press of a double click waits for the double click's clock.
  if (timer2_->isActive() || !ready_ || closing_ || items_.PageRecord() == nullptr) return;
  const PointerInput input = InputAt(canvas, SnapPoint(canvas), modifiers);
  // The double click looks for a picture at the snapped press, in page pixels.
  lastDownPt_ = input.snapped;
  view_->ShowPositionMarkers({input.snapped.x, input.snapped.y});
  // A press inside the text being edited only moves the caret.
  if (gesture_ != nullptr && gesture_->ClickInPlace(input)) return;
  PressGesture(input);
}

void TSandbox::PressGesture(const PointerInput& input) {
  outcome_ = {};
  canvas_->CanvasChanged(canvas_->Marks().Restore(Overlay::kPreview));
  if (input.ctrl) {
    // Ctrl starts a rubber band whatever the tool: the gesture in progress ends first.
    if (Mode() != kModePointer) EndGesture();
    tool_ = kModePointer;
  }
  gesture_ = GestureForPress(Context(), Hooks(), tool_, std::move(gesture_), input, view_->TileOrigin());
  if (gesture_ == nullptr) return;
  // A press that ends the editing of a text opened again ends its gesture; no hold follows.
  const bool goesOn = ToGesture([&](Gesture& g) {
    g.Press(input);
    return !g.Finished();
  });
  if (goesOn) timer1_->start();
}

void TSandbox::Image1MouseMove(Point canvas, Qt::KeyboardModifiers modifiers) {
  lastPointerPt_ = canvas;
  if (!ready_ || closing_) return;
  const Point snapped = SnapPoint(canvas);
  view_->ShowPositionMarkers({snapped.x, snapped.y});
  if (outcome_.cancelled) return;
  if (Mode() == kModePointer) {
    UpdateCursor(canvas);
  } else if (gesture_ != nullptr) {
    gesture_->Move(InputAt(canvas, snapped, modifiers));
  }
}

void TSandbox::UpdateCursor(Point canvas) {
  const HandleHit hit = HitHandle(*canvas_, canvas, view_->TileOrigin());
  view_->Image()->setCursor(
      hit.item == nullptr ? Qt::ArrowCursor
                          : CursorFor(*hit.item, hit.code, CountSelected(items_, false) == 1));
}

void TSandbox::Image1MouseUp(Point canvas, Qt::KeyboardModifiers modifiers) {
  lastPointerPt_ = canvas;
  if (timer2_->isActive() || !ready_ || closing_) return;
  timer1_->stop();
  // The marks' timer stops; a pending Copy to Clipboard runs now instead of being dropped.
  canvas_->HoldMarks();
  const Point snapped = Mode() != kModePointer ? SnapPoint(canvas) : canvas;
  const PointerInput input = InputAt(canvas, snapped, modifiers);
  ToGesture([&](Gesture& g) {
    if (!g.ClickInPlace(input) && !outcome_.cancelled) g.Release(input);
    return true;
  });
}

void TSandbox::Image1DblClick() {
  if (!ready_ || closing_) return;
  timer2_->start();
}

void TSandbox::Timer2Timer() {
  if (closing_ || Mode() != kModePointer) return;
  ItemRecord* sole = SoleSelected(items_);
  if (sole != nullptr && sole->kind() == kKindText && sole->hidden() == 0) {
    EndTextEdit();
    gesture_ = ReopenedTextGesture(Context(), Hooks(), *sole);
    return;
  }
  // The picture under the double click opens in the clip editor.
  if (!SelectPictureUnder(*canvas_, lastDownPt_)) return;
  host_.ShowTool(kToolSelectedPicture);
  host_.EditPictureClip();
}

void TSandbox::LeaveGesture() {
  if (gesture_ != nullptr) {
    std::unique_ptr<Gesture> gesture = std::move(gesture_);
    gesture->Cancel();
  }
  canvas_->CanvasChanged(canvas_->Marks().RestoreAll());
  timer1_->stop();
}

void TSandbox::EndGesture() {
  LeaveGesture();
  canvas_->RemoveSelectionMarks();
}

bool TSandbox::KeyDown(int key, Qt::KeyboardModifiers modifiers) {
  if (!acceptsKeys_ || !ready_ || closing_) return false;
  // Esc goes to the gesture and is never taken.
  if (key == Qt::Key_Escape) return ToGesture([](Gesture& g) { return g.Escape(), false; });
  // Delete goes to the gesture too (the text tool keeps it) but is never taken either.
  if (ToGesture([&](Gesture& g) { return g.Key(key, modifiers); })) return key != Qt::Key_Delete;
  // Delete takes the grid line of a highlighted anchor, else the selection.
  if (key == Qt::Key_Delete && !desk_->DeleteHighlighted()) Run(CutSelection);
  return false;
}

bool TSandbox::CharTyped(const QString& characters) {
  if (!acceptsKeys_ || !ready_ || closing_ || characters.isEmpty()) return false;
  return ToGesture([&](Gesture& g) { return g.Characters(characters); }) ||
         PointCommand(characters[0].unicode());
}

}  // namespace quillon
