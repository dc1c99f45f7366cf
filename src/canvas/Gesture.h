// SPDX-License-Identifier: GPL-3.0-or-later
// Pointer gestures on the canvas and what they work on. A gesture lives from the press that
// starts it to its release (or Esc, or EndGesture); the drawing window hands it the events of
// its mode and provides the context, so a gesture itself needs no widget.
#pragma once

#include <QString>
#include <QtCore/qnamespace.h>
#include <cstdint>
#include <vector>

#include "canvas/Overlay.h"
#include "document/EditObserver.h"
#include "document/ItemList.h"
#include "render/GeometryContext.h"
#include "settings/TParams.h"

namespace quillon {

struct PointerInput {
  Point raw;      // canvas pixels, as the pointer is
  Point snapped;  // rounded to page pixels and snapped to the grid
  bool shift = false;
  bool ctrl = false;
};

class CanvasContext {
 public:
  virtual ~CanvasContext() = default;
  virtual ItemList& Items() = 0;
  virtual EditObserver& Events() = 0;
  virtual Overlay& Marks() = 0;
  // Zoom, handle sizes and the font metrics of texts.
  virtual GeometryContext Geometry() const = 0;
  virtual Point ToDocument(Point canvas) const = 0;
  virtual Point ToCanvasPoint(Point document) const = 0;
  // The canvas rectangle a document rectangle covers, clipped to the canvas.
  virtual Rect ToCanvas(Rect document) const = 0;
  // Every mark removed, then drawn again for every selected item.
  virtual void RedrawSelectionMarks() = 0;
  virtual void RemoveSelectionMarks() = 0;
  virtual void DrawSelectionMarks() = 0;
  // Draws items in preview quality over the canvas, and their construction lines.
  virtual void PaintPreview(const std::vector<ItemRecord*>& items) = 0;
  virtual void PaintRubberBand(Rect canvas) = 0;
  // The guide along a preset direction, from a to b (canvas pixels).
  virtual void PaintGuide(Point a, Point b) = 0;
  // The text caret from a to b (canvas pixels).
  virtual void PaintCaret(Point a, Point b, uint32_t colour, int width) = 0;
  // The canvas changed in this rectangle and must reach the screen.
  virtual void CanvasChanged(Rect canvas) = 0;
  // The end of a drag: everything drawn again in full quality, the marks a moment later.
  virtual void RepaintAfterDrag() = 0;
  // Whether items are drawn while they are dragged.
  virtual bool LiveDrag() const = 0;
  // The main frame's side panel switches to a tool number.
  virtual void ShowPanel(int32_t toolNumber) = 0;
  // The settings new items take their style from.
  virtual const TParams& Settings() const = 0;
};

// What the last gesture left for the window and its commands; cleared by every press.
struct GestureOutcome {
  Rect rubberBand{};       // the band a rubber band was released with, normalised, document pixels
  bool cancelled = false;  // Esc cancelled it: the rest of the press (moves, release) is ignored
};

// Whether the gesture left a rubber band with width and height ("Copy to Clipboard").
inline bool HasCopyArea(const GestureOutcome& outcome) {
  const Rect& band = outcome.rubberBand;
  return band.right != band.left && band.bottom != band.top;
}

// One pointer or key gesture: made by the factory for a press (or for the tool chosen), it
// takes the events until it is finished, Esc ends it, or another command cancels it.
class Gesture {
 public:
  virtual ~Gesture() = default;
  // A press while the gesture runs (the first one is the press it was made for).
  virtual void Press(const PointerInput& input) { (void)input; }
  // A press or release the gesture takes whole, with nothing else happening for it: the caret
  // placed inside an edited text.
  virtual bool ClickInPlace(const PointerInput& input) {
    (void)input;
    return false;
  }
  // The button stayed down since the press.
  virtual void Held() {}
  virtual void Move(const PointerInput& input) = 0;
  virtual void Release(const PointerInput& input) = 0;
  virtual void DoubleClick(const PointerInput& input) { (void)input; }
  // A key (Qt::Key) or typed characters while the gesture runs; whether the window reports
  // them taken.
  virtual bool Key(int key, Qt::KeyboardModifiers modifiers) {
    (void)key, (void)modifiers;
    return false;
  }
  virtual bool Characters(const QString& typed) {
    (void)typed;
    return false;
  }
  // Whether the gesture is over (after its release, Esc or Cancel); the window then drops it.
  virtual bool Finished() const { return true; }
  // Esc while the gesture runs.
  virtual void Escape() = 0;
  // The gesture is left by another command: whatever it drew is taken away and the document
  // is left in a consistent state.
  virtual void Cancel() = 0;
  // The mode the window is in while the gesture runs; 0 leaves the current tool's.
  virtual int32_t Mode() const { return 0; }
  // The tool changed to a close relative (spline and solid, curve and oblong) in the middle
  // of the gesture, which goes on in the new one.
  virtual void SwitchTool(int32_t tool) { (void)tool; }
  // Adds what the gesture leaves behind after its last event to outcome.
  virtual void Outcome(GestureOutcome& outcome) const { (void)outcome; }
};

// The selection by a click at a canvas point: the nearest item within the tolerance, Shift
// toggling; the group rule, the marks and the panel follow.
void ClickSelect(CanvasContext& context, Point canvas, bool shift);

struct HandleHit {
  ItemRecord* item = nullptr;
  int32_t code = 0;
};
// The first handle of a selected item (list order, each item's handles in order) whose mark
// contains the canvas point.
HandleHit HitHandle(CanvasContext& context, Point canvas, Point scroll);

}  // namespace quillon
