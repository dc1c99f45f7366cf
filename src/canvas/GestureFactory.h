// SPDX-License-Identifier: GPL-3.0-or-later
// Which gesture a press starts: from the current tool and what lies under the pointer (a
// handle of the selection, or nothing), the gesture running on, a rubber band, a click, a
// drawing tool's creation or the text tool's entry; and the gestures other commands start (a
// paste being placed, a spline or curve continued, a text opened again).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "canvas/Gesture.h"

namespace quillon {

// What the gestures need of the window besides the canvas context: its clocks.
struct GestureHooks {
  // The marks' clock stops while a gesture draws over the canvas; a pending copy runs now.
  std::function<void()> holdMarks;
  // The caret's clock starts again after the caret moved, or stops when the editing ended.
  std::function<void(bool editing)> caretMoved;
};

// The gesture a tool (a mode: the pointer, the line, the text and the shape tools) has
// between presses: a click in the pointer tool; null in a shape mode that makes no item.
std::unique_ptr<Gesture> ToolGesture(CanvasContext& context, const GestureHooks& hooks,
                                     int32_t tool);

// The gesture for a press. The running one goes on (a drag, a paste, a creation, a text),
// except in the pointer mode, where each press is judged afresh: Ctrl starts a rubber band, a
// press on a handle of the selection drags it, and anything else is a click. scroll is the
// canvas tile's origin the handles are laid out for.
std::unique_ptr<Gesture> GestureForPress(CanvasContext& context, const GestureHooks& hooks,
                                         int32_t tool, std::unique_ptr<Gesture> running,
                                         const PointerInput& input, Point scroll);

// Pasted copies (the selection, added after tail) following the pointer by their move handle
// from anchor (canvas pixels) until a click places them; Esc takes them back and returns the
// document to its modified mark wasModified.
std::unique_ptr<Gesture> PasteGesture(CanvasContext& context, const GestureHooks& hooks,
                                      const ItemRecord* tail, bool wasModified, Point anchor);

// An open spline or curve continued from its last point, the pointer at pointer (canvas).
std::unique_ptr<Gesture> ContinuationGesture(CanvasContext& context, const GestureHooks& hooks,
                                             ItemRecord& item, Point pointer);

// A selected text opened again for typing.
std::unique_ptr<Gesture> ReopenedTextGesture(CanvasContext& context, const GestureHooks& hooks,
                                             ItemRecord& text);

// The drag handle a press on a handle of an item starts: every rim handle of a circle pulls
// its radius, an ellipse's far axis ends pull the same axes as the near ones, and a group
// frame's centre moves every selected item.
int32_t DragHandleFor(const ItemRecord& item, int32_t code);

}  // namespace quillon
