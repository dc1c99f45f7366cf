// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/GestureFactory.h"

#include "canvas/CanvasGestures.h"
#include "canvas/CreationGestures.h"
#include "canvas/TextGesture.h"
#include "document/EditCommands.h"
#include "document/History.h"
#include "document/ToolNumbers.h"

namespace quillon {
namespace {

std::unique_ptr<Gesture> HandleDrag(CanvasContext& context, const GestureHooks& hooks,
                                    const HandleHit& hit, Point anchor) {
  hooks.holdMarks();
  const int32_t mode = HandleDragMode(hit.item->kind(), hit.code);
  int32_t handle = DragHandleFor(*hit.item, hit.code);
  context.RemoveSelectionMarks();
  BeginEdit(context.Items(), context.Events(), true);
  // A selection of several kinds moves as a whole, whichever handle was taken.
  if (!SelectedKindsAgree(context.Items())) handle = kHandleMove;
  return std::make_unique<DragGesture>(context, DragGesture::Kind::Handle, handle, anchor, mode);
}

std::unique_ptr<Gesture> RubberBand(CanvasContext& context, const GestureHooks& hooks,
                                    const PointerInput& input) {
  hooks.holdMarks();
  context.Marks().Invalidate(Overlay::kPreview);
  if (!input.shift) SelectOnly(context.Items(), nullptr);
  context.RemoveSelectionMarks();
  return std::make_unique<RubberBandGesture>(context, input.snapped);
}

}  // namespace

int32_t DragHandleFor(const ItemRecord& item, int32_t code) {
  if (item.kind() == kKindCircle && code >= kHandleStart && code <= kHandleCircleRimLast) {
    return kHandleStart;
  }
  if (item.kind() == kKindEllipse &&
      (code == kHandleEllipseFarStart || code == kHandleEllipseFarEnd)) {
    return code - (kHandleEllipseFarStart - kHandleStart);
  }
  if (item.kind() == kKindGroupFrame && code == kHandleMiddle) return kHandleMove;
  return code;
}

std::unique_ptr<Gesture> ToolGesture(CanvasContext& context, const GestureHooks& hooks,
                                     int32_t tool) {
  if (tool == kModePointer) return std::make_unique<ClickGesture>(context);
  if (tool == kModeText) return std::make_unique<TextGesture>(context, hooks.caretMoved);
  return MakeCreationGesture(context, tool);
}

std::unique_ptr<Gesture> GestureForPress(CanvasContext& context, const GestureHooks& hooks,
                                         int32_t tool, std::unique_ptr<Gesture> running,
                                         const PointerInput& input, Point scroll) {
  const bool pointerMode =
      tool == kModePointer && (running == nullptr || running->Mode() == kModePointer);
  if (!pointerMode)
    return running != nullptr ? std::move(running) : ToolGesture(context, hooks, tool);
  if (input.ctrl) return RubberBand(context, hooks, input);
  const HandleHit hit = HitHandle(context, input.raw, scroll);
  if (hit.item != nullptr) return HandleDrag(context, hooks, hit, input.snapped);
  return std::make_unique<ClickGesture>(context);
}

std::unique_ptr<Gesture> PasteGesture(CanvasContext& context, const GestureHooks& hooks,
                                      const ItemRecord* tail, bool wasModified, Point anchor) {
  // The copies follow the pointer without marks; they get them where a click leaves them.
  hooks.holdMarks();
  context.RemoveSelectionMarks();
  auto paste =
      std::make_unique<DragGesture>(context, DragGesture::Kind::Paste, kHandleMove, anchor);
  paste->SetPasteStart(tail, wasModified);
  return paste;
}

std::unique_ptr<Gesture> ContinuationGesture(CanvasContext& context, const GestureHooks& hooks,
                                             ItemRecord& item, Point pointer) {
  hooks.holdMarks();
  context.RemoveSelectionMarks();
  return std::make_unique<PointListGesture>(context, item, context.ToDocument(pointer));
}

std::unique_ptr<Gesture> ReopenedTextGesture(CanvasContext& context, const GestureHooks& hooks,
                                             ItemRecord& text) {
  return std::make_unique<TextGesture>(context, hooks.caretMoved, text);
}

}  // namespace quillon
