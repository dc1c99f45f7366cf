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

namespace quillon {

class CreationGesture : public Gesture {
 public:
  CreationGesture(CanvasContext& context, int32_t mode);
  // Button-up: the click that fixes the next defining point.
  void Release(const PointerInput& input) override = 0;
  // The button stayed down: the press point (canvas pixels) is taken as the first click.
  virtual void Hold(Point press) = 0;
  // Backspace, Enter and the letter C; whether the key meant something here.
  using Gesture::Key;
  virtual bool Key(int /*key*/) { return false; }
  void Escape() override;
  void Cancel() override;
  // The clicks taken so far (0 before the first).
  int Step() const { return step_; }
  // Spline and solid, or curve and oblong, trade places in the middle of the gesture.
  void SwitchTool(int32_t mode) { mode_ = mode; }
  // A continuation has ended; the window returns to the pointer.
  bool Ended() const { return ended_; }

 protected:
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
  ItemRecord preview_;  // styled like the item the tool makes, never in a list
};

// The line and the shapes of two or three clicks.
class ClickShapeGesture : public CreationGesture {
 public:
  ClickShapeGesture(CanvasContext& context, int32_t mode);
  void Move(const PointerInput& input) override;
  void Release(const PointerInput& input) override;
  void Hold(Point press) override;
  void Escape() override;

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
  bool Key(int key) override;
  void Escape() override;
  void Cancel() override;

  const std::vector<PointEntry>& Entries() const { return entries_; }

 private:
  bool Continuing() const { return mode_ == 297 || mode_ == 298; }
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

std::unique_ptr<CreationGesture> MakeCreationGesture(CanvasContext& context, int32_t mode);

}  // namespace quillon
