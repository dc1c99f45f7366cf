// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for the drawing window that gestures work on without a widget: an item list on a
// canvas of 600 x 400 pixels at 100 % (canvas pixels are document pixels), overlay marks that
// save the canvas under them, the announcements recorded, and the pointer and key events handed
// to the gesture the factory picks, as the window hands them.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <memory>
#include <utility>
#include <vector>

#include "canvas/CanvasFixtures.h"
#include "canvas/GestureFactory.h"
#include "canvas/TextGesture.h"
#include "canvas/WindowPainter.h"
#include "document/History.h"
#include "document/ToolNumbers.h"
#include "render/Text.h"
#include "render/Transforms.h"

namespace quillon::test {

// What the gestures announced.
struct RecordedEvents : EditObserver {
  void RepaintArea(const Rect&) override { ++areas; }
  void RepaintAll(bool) override { ++repaints; }
  void SelectionChanged() override { ++selections; }
  void ShowPanel(int tool) override { panels.push_back(tool); }
  int areas = 0;
  int repaints = 0;
  int selections = 0;
  std::vector<int> panels;
};

class StandInCanvas : public CanvasContext {
 public:
  StandInCanvas() : items_(ScreenMetrics{96, 96}), settings_(ScreenMetrics{96, 96}) {
    AddPixelPage(items_, 600, 400);
    overlay_.SetCanvas(&canvas_);
  }

  ItemList& Items() override { return items_; }
  EditObserver& Events() override { return events_; }
  Overlay& Marks() override { return overlay_; }
  GeometryContext Geometry() const override {
    GeometryContext geometry;
    geometry.screen = items_.screen();
    geometry.text = &metrics_;
    return geometry;
  }
  Point ToDocument(Point canvas) const override { return canvas; }
  Point ToCanvasPoint(Point document) const override { return document; }
  Rect ToCanvas(Rect document) const override {
    CanvasTile tile;
    tile.bitmap = const_cast<Bitmap*>(&canvas_);
    return tile.CanvasRect(document);
  }
  void RedrawSelectionMarks() override { ++marksDrawn; }
  void RemoveSelectionMarks() override { ++marksRemoved; }
  void DrawSelectionMarks() override { ++marksDrawn; }
  // Previews, bands, guides and carets draw black over the canvas, so that a restore shows.
  void PaintPreview(const std::vector<ItemRecord*>& items) override {
    CanvasTile tile;
    tile.bitmap = &canvas_;
    for (const ItemRecord* item : items)
      PaintItem(tile, *item, items_, true);
  }
  void PaintRubberBand(Rect band) override {
    Line({band.left, band.top}, {band.right, band.bottom});
  }
  void PaintGuide(Point a, Point b) override { Line(a, b); }
  void PaintCaret(Point a, Point b, uint32_t, int) override { Line(a, b); }
  void CanvasChanged(Rect) override {}
  void RepaintAfterDrag() override { overlay_.InvalidateAll(); }
  bool LiveDrag() const override { return true; }
  void ShowPanel(int32_t tool) override { panels.push_back(tool); }
  const TParams& Settings() const override { return settings_; }
  TParams& Params() { return settings_; }

  // The window's forwards: the tool decides the gesture of a press, the gesture takes the
  // events after it and is dropped when it finished, leaving its outcome.
  void SelectTool(int32_t tool) {
    EndGesture();
    tool_ = tool == kToolLine ? kModeLine : tool == kToolText ? kModeText : tool;
  }
  void EndGesture() {
    if (gesture_ != nullptr) std::exchange(gesture_, nullptr)->Cancel();
    overlay_.RestoreAll();
  }
  int32_t Mode() const {
    const int32_t mode = gesture_ != nullptr ? gesture_->Mode() : 0;
    return mode != 0 ? mode : tool_;
  }
  const GestureOutcome& LastGesture() const { return outcome_; }
  bool TextEditing() { return EditedText() != nullptr; }
  TextEntry* EditedText() {
    auto* text = dynamic_cast<TextGesture*>(gesture_.get());
    return text != nullptr && text->Entry().Editing() ? &text->Entry() : nullptr;
  }

  void Press(Point p, Qt::KeyboardModifiers m = {}) {
    const PointerInput input = Input(p, m);
    if (gesture_ != nullptr && gesture_->ClickInPlace(input)) return;
    outcome_ = {};
    if (input.ctrl) {
      if (Mode() != kModePointer) EndGesture();
      tool_ = kModePointer;
    }
    gesture_ = GestureForPress(*this, Hooks(), tool_, std::move(gesture_), input, {});
    Run([&](Gesture& g) { return g.Press(input), true; });
  }
  void Hold() {
    if (gesture_ != nullptr && !outcome_.cancelled) gesture_->Held();
  }
  void Move(Point p, Qt::KeyboardModifiers m = {}) {
    if (!outcome_.cancelled && Mode() != kModePointer && gesture_ != nullptr) {
      gesture_->Move(Input(p, m));
    }
  }
  void Release(Point p, Qt::KeyboardModifiers m = {}) {
    const PointerInput input = Input(p, m);
    Run([&](Gesture& g) {
      if (!g.ClickInPlace(input) && !outcome_.cancelled) g.Release(input);
      return true;
    });
  }
  void Click(Point p, Qt::KeyboardModifiers m = {}) {
    Press(p, m);
    Release(p, m);
  }
  void Drag(Point from, Point to, Qt::KeyboardModifiers m = {}) {
    Press(from, m);
    Move({(from.x + to.x) / 2, (from.y + to.y) / 2}, m);
    Move(to, m);
    Release(to, m);
  }
  // A key and its character, as the window's KeyDown and CharTyped take them; whether taken.
  bool Key(int key, Qt::KeyboardModifiers m = {}, const QString& text = {}) {
    bool taken = Run(
        [&](Gesture& g) { return key == Qt::Key_Escape ? (g.Escape(), false) : g.Key(key, m); });
    if (!taken && !text.isEmpty()) taken = Run([&](Gesture& g) { return g.Characters(text); });
    return taken;
  }
  // Only a key, as the window's KeyDown takes it.
  bool KeyDown(int key, Qt::KeyboardModifiers m) { return Key(key, m); }
  void Type(const QString& text) {
    for (QChar c : text)
      Key(0, {}, QString(c));
  }

  // The number of undo steps (undone and redone again).
  int Steps() {
    int steps = 0;
    while (CanUndo(items_) && steps < 1000) {
      Undo(items_, events_);
      ++steps;
    }
    for (int i = 0; i < steps; ++i)
      Redo(items_, events_);
    return steps;
  }
  // The visible drawable items in list order.
  std::vector<ItemRecord*> Visible() {
    std::vector<ItemRecord*> out;
    for (ItemRecord& r : items_) {
      if (IsVisible(r) && IsDrawableKind(r.kind())) out.push_back(&r);
    }
    return out;
  }
  const Bitmap& Canvas() const { return canvas_; }

  RecordedEvents events_;
  std::vector<int32_t> panels;
  int marksDrawn = 0;
  int marksRemoved = 0;
  int caretRestarts = 0;

 private:
  PointerInput Input(Point p, Qt::KeyboardModifiers m) const {
    return {p, SnapToGrid(items_, p), m.testFlag(Qt::ShiftModifier),
            m.testFlag(Qt::ControlModifier)};
  }
  GestureHooks Hooks() {
    return {[] {}, [this](bool) { ++caretRestarts; }};
  }
  template <typename Event>
  bool Run(Event event) {
    std::unique_ptr<Gesture> gesture = std::move(gesture_);
    if (gesture == nullptr) gesture = ToolGesture(*this, Hooks(), tool_);
    if (gesture == nullptr) return false;
    const bool taken = event(*gesture);
    if (gesture->Finished()) {
      gesture->Outcome(outcome_);
    } else {
      gesture_ = std::move(gesture);
    }
    return taken;
  }
  void Line(Point a, Point b) {
    QImage image = canvas_.Image();
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.drawLine(a.x, a.y, b.x, b.y);
  }

  ItemList items_;
  TParams settings_;
  FontTextMetrics metrics_{ScreenMetrics{96, 96}};
  Bitmap canvas_{600, 400};
  Overlay overlay_;
  int32_t tool_ = kModePointer;
  std::unique_ptr<Gesture> gesture_;
  GestureOutcome outcome_;
};

}  // namespace quillon::test
