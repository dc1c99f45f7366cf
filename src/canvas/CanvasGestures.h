// SPDX-License-Identifier: GPL-3.0-or-later
// The gestures of the pointer tool: the rubber band, dragging a handle of the selection, and
// pasted items following the pointer until a click places them.
#pragma once

#include "canvas/DragEngine.h"
#include "canvas/Gesture.h"

namespace quillon {

// Ctrl-drag: the items inside the rectangle from the press point are selected as it grows
// (with Shift, also those it crosses).
class RubberBandGesture : public Gesture {
 public:
  RubberBandGesture(CanvasContext& context, Point press) : context_(context), press_(press) {}
  void Move(const PointerInput& input) override;
  void Release(const PointerInput& input) override;
  void Escape() override { Cancel(); }
  void Cancel() override;

  // The last band, normalised, in canvas pixels; empty before any move.
  Rect Band() const { return band_; }
  int Count() const { return count_; }

 private:
  CanvasContext& context_;
  Point press_;
  Rect band_{};
  int count_ = 0;
};

// A handle of the selection pulled from the press point; also pasted items following the
// pointer by their move handle.
class DragGesture : public Gesture {
 public:
  enum class Kind { Handle, Paste };
  // The selection has been cloned into an edit step (BeginEdit, or the paste) already.
  DragGesture(CanvasContext& context, Kind kind, int32_t handle, Point anchor);
  void Move(const PointerInput& input) override;
  void Release(const PointerInput& input) override;
  void Escape() override;
  void Cancel() override;

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
  Point anchor_;  // canvas pixels
  DragSession session_;
  const ItemRecord* pasteTail_ = nullptr;
  bool pasteWasModified_ = false;
};

}  // namespace quillon
