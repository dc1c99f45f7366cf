// SPDX-License-Identifier: GPL-3.0-or-later
// The gestures of the drawing tools: a few clicks define a new item, a preview follows the
// pointer between them, and the finished item joins the document while the tool stays
// active. Splines and curves take any number of points and the keys that finish, shorten and
// close them; continuing an existing spline or curve uses the same gesture.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "canvas/Gesture.h"
#include "document/ToolNumbers.h"

namespace quillon {

class CreationGesture : public Gesture {
 public:
  CreationGesture(CanvasContext& context, int32_t mode);
  // A press takes the marks away; the press point is kept for the hold.
  void Press(const PointerInput& input) override;
  void Held() override { Hold(press_); }
  // Button-up: the click that fixes the next defining point.
  void Release(const PointerInput& input) override = 0;
  // The button stayed down: the press point (canvas pixels) is taken as the first click.
  virtual void Hold(Point press) = 0;
  // Backspace, Enter and the letter C (without Ctrl) go to the point entry; the window never
  // reports them taken.
  bool Key(int key, Qt::KeyboardModifiers modifiers) override;
  // Esc takes back the clicks so far (a continuation ends, the item as it was); with none in
  // a shape tool it only clears what the pointer drew.
  void Escape() override;
  void Cancel() override;
  // The gesture goes on over presses until Esc or, for a continuation, until it ends.
  bool Finished() const override { return ended_ || escaped_; }
  int32_t Mode() const override { return Continuing() ? mode_ : 0; }
  void Outcome(GestureOutcome& outcome) const override { outcome.cancelled |= escaped_; }
  // The clicks taken so far (0 before the first).
  int Step() const { return step_; }
  // Spline and solid, or curve and oblong, trade places in the middle of the gesture.
  void SwitchTool(int32_t mode) override { mode_ = mode; }
  // A continuation has ended; the window returns to the pointer.
  bool Ended() const { return ended_; }

 protected:
  // Whether the gesture continues an existing spline or curve.
  bool Continuing() const { return mode_ == kModeContinueSpline || mode_ == kModeContinueCurve; }
  // Esc with clicks taken: they are taken back.
  virtual void EscapeClicks();
  // Backspace, Enter and C; whether the key meant something here.
  virtual bool EntryKey(int /*key*/) { return false; }
  // Restores the preview layers and saves the area the preview item needs, then draws it.
  void ShowPreview(ItemRecord& item);
  void ErasePreview();
  // The item's area on the canvas with room for its pen, shadow and handles.
  Rect AreaOf(const ItemRecord& item) const;
  // The new item reaches the canvas in full quality; the guidance page of the kind follows.
  void Completed(const ItemRecord& item);
  Point Document(const PointerInput& input) const { return context_.ToDocument(input.snapped); }

  CanvasContext& context_;
  int32_t mode_;
  int step_ = 0;
  bool ended_ = false;
  bool escaped_ = false;
  Point press_;         // canvas pixels
  ItemRecord preview_;  // styled like the item the tool makes, never in a list
};

// The line and the shapes of two or three clicks.
class ClickShapeGesture : public CreationGesture {
 public:
  ClickShapeGesture(CanvasContext& context, int32_t mode);
  void Move(const PointerInput& input) override;
  void Release(const PointerInput& input) override;
  void Hold(Point press) override;

 protected:
  void EscapeClicks() override;

 private:
  void Preview(Point pointer);
  void Finish();
  std::vector<Point> clicks_;  // document pixels
};

// Splines, solids, curves and oblongs, new or continued.
class PointListGesture : public CreationGesture {
 public:
  PointListGesture(CanvasContext& context, int32_t mode);
  // Continues an open spline or curve: its points plus a floating one at the pointer; the item
  // is set aside until the gesture ends.
  PointListGesture(CanvasContext& context, ItemRecord& continued, Point pointer);
  void Move(const PointerInput& input) override;
  void Release(const PointerInput& input) override;
  void Hold(Point press) override;
  void Cancel() override;

  const std::vector<PointEntry>& Entries() const { return entries_; }

 protected:
  bool EntryKey(int key) override;
  void EscapeClicks() override;

 private:
  int32_t Style() const;
  void Preview();
  void Finish(int32_t style);
  // A continuation ends: the item is put back (unchanged) and, when asked, made the only
  // selection.
  ItemRecord* PutBack(bool select);
  void Abandon();
  std::vector<PointEntry> entries_;  // the last is the floating point
  Point pointer_;                    // document pixels
  int32_t continuedStyle_ = 0;
};

// The gesture of a drawing tool's mode; null in a shape mode that makes no item.
std::unique_ptr<CreationGesture> MakeCreationGesture(CanvasContext& context, int32_t mode);

}  // namespace quillon
