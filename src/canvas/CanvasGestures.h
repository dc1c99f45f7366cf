// SPDX-License-Identifier: GPL-3.0-or-later
// The gestures of the pointer tool: a click that selects, the rubber band, dragging a handle
// of the selection, and pasted items following the pointer until a click places them.
#pragma once

#include <QElapsedTimer>

#include "canvas/DragEngine.h"
#include "canvas/Gesture.h"
#include "document/ToolNumbers.h"

namespace quillon {

// Arrow presses this close together (ms) move the selection as one undo step.
inline constexpr int kNudgeRunMs = 1000;
// Shift+arrow moves this far (document pixels) along an axis whose grid is not shown.
inline constexpr int32_t kNudgeWithoutGrid = 10;

// A press in the pointer tool away from the handles: the release selects by a click. Without
// a press, the pointer tool's arrow keys move the selection by a pixel (Shift: a grid step),
// a run of presses being one undo step while this gesture lasts.
class ClickGesture : public Gesture {
 public:
  explicit ClickGesture(CanvasContext& context) : context_(context) {}
  void Move(const PointerInput&) override {}
  void Release(const PointerInput& input) override;
  bool Key(int key, Qt::KeyboardModifiers modifiers) override;
  bool Finished() const override { return done_; }
  void Escape() override { done_ = true; }
  void Cancel() override { done_ = true; }

 private:
  CanvasContext& context_;
  bool done_ = false;
  QElapsedTimer lastNudge_;
};

// The distance Shift+arrow moves along each axis: the grid distance where the grid of that
// direction is shown, else kNudgeWithoutGrid.
Point GridStep(const ItemList& list);

// Ctrl-drag: the items inside the rectangle from the press point are selected as it grows
// (with Shift, also those it crosses).
class RubberBandGesture : public Gesture {
 public:
  RubberBandGesture(CanvasContext& context, Point press) : context_(context), press_(press) {}
  void Move(const PointerInput& input) override;
  void Release(const PointerInput& input) override;
  void Escape() override;
  void Cancel() override;
  bool Finished() const override { return done_; }
  int32_t Mode() const override { return kModeRubberBand; }
  // The band released, in document pixels; Esc cancels.
  void Outcome(GestureOutcome& outcome) const override;

  // The last band, normalised, in canvas pixels; empty before any move.
  Rect Band() const { return band_; }
  int Count() const { return count_; }

 private:
  CanvasContext& context_;
  Point press_;
  Rect band_{};
  int count_ = 0;
  bool done_ = false;
  bool escaped_ = false;
};

// A handle of the selection pulled from the press point; also pasted items following the
// pointer by their move handle.
class DragGesture : public Gesture {
 public:
  enum class Kind { Handle, Paste };
  // The selection has been cloned into an edit step (BeginEdit, or the paste) already; mode is
  // the window's mode while a handle is dragged.
  DragGesture(CanvasContext& context, Kind kind, int32_t handle, Point anchor, int32_t mode = 0);
  void Move(const PointerInput& input) override;
  void Release(const PointerInput& input) override;
  void Escape() override;
  void Cancel() override;
  bool Finished() const override { return done_; }
  int32_t Mode() const override { return kind_ == Kind::Paste ? kModePaste : mode_; }
  // Esc on a handle drag cancels the rest of the press; a paste taken back leaves nothing.
  void Outcome(GestureOutcome& outcome) const override {
    outcome.cancelled |= escaped_ && kind_ == Kind::Handle;
  }

  int32_t Handle() const { return session_.handle; }
  // A paste's start: the list's last record before the copies and the document's modified
  // mark then, which Esc returns to.
  void SetPasteStart(const ItemRecord* tail, bool wasModified) {
    pasteTail_ = tail;
    pasteWasModified_ = wasModified;
  }
  // Draws the items where they are now, before the pointer moves.
  void ShowAtAnchor() { Preview(anchor_); }

 private:
  void Preview(Point canvas);
  CanvasContext& context_;
  Kind kind_;
  int32_t mode_;
  Point anchor_;  // canvas pixels
  bool done_ = false;
  bool escaped_ = false;
  DragSession session_;
  const ItemRecord* pasteTail_ = nullptr;
  bool pasteWasModified_ = false;
};

}  // namespace quillon
