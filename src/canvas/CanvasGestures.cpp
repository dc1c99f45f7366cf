// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/CanvasGestures.h"

#include <algorithm>

#include "canvas/WindowPainter.h"
#include "document/EditCommands.h"
#include "document/History.h"
#include "document/ToolNumbers.h"
#include "render/Coordinates.h"
#include "render/Handles.h"
#include "render/HitTest.h"
#include "render/Transforms.h"

namespace quillon {
namespace {

Rect Normalised(Point a, Point b) {
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// The panel the selection asks for; the tool box, as if picked, when nothing is selected.
void ShowSelectionPanel(CanvasContext& context) {
  context.ShowPanel(SelectionToolNumber(context.Items()));
}

}  // namespace

void ClickSelect(CanvasContext& context, Point canvas, bool shift) {
  ItemList& list = context.Items();
  const GeometryContext geometry = context.Geometry();
  context.RemoveSelectionMarks();
  const Point d = context.ToDocument(canvas);
  ItemRecord* found = ChoosePickedItem(list, d, geometry);
  // A click that hits no outline takes the picture or filled shape it lands inside.
  if (found == nullptr) found = ChooseItemUnder(list, d);
  ApplyPick(list, found, shift);
  context.DrawSelectionMarks();
  context.Events().SelectionChanged();
  // A miss shows the tool box; a Shift-click that deselected shows what remains selected.
  context.ShowPanel(found == nullptr ? kToolPointer : SelectionToolNumber(list));
}

HandleHit HitHandle(CanvasContext& context, Point canvas, Point scroll) {
  ItemList& list = context.Items();
  const GeometryContext geometry = context.Geometry();
  const bool one = CountSelected(list, false) == 1;
  std::vector<Handle> handles;
  for (ItemRecord* item : SelectedRecords(list)) {
    handles.clear();
    HandleLayout(*item, one, scroll, geometry, handles);
    for (const Handle& h : handles) {
      if (!IsGrabbableHandle(item->kind(), h.code)) continue;
      const BoundingBox box = HandleRect(h.position, geometry.handle);
      if (canvas.x >= box.left && canvas.x <= box.right && canvas.y >= box.top &&
          canvas.y <= box.bottom) {
        return {item, h.code};
      }
    }
  }
  return {};
}

void ClickGesture::Release(const PointerInput& input) {
  ClickSelect(context_, input.raw, input.shift);
  done_ = true;
}

Point GridStep(const ItemList& list) {
  Point step{kNudgeWithoutGrid, kNudgeWithoutGrid};
  const ItemRecord* page = list.PageRecord();
  if (page == nullptr) return step;
  const int32_t x = RoundToInt32(page->gridDistanceX() * page->pixelsPerUnitX());
  const int32_t y = RoundToInt32(page->gridDistanceY() * page->pixelsPerUnitY());
  if (page->gridHorizontal() != 0 && x >= 1) step.x = x;
  if (page->gridVertical() != 0 && y >= 1) step.y = y;
  return step;
}

bool ClickGesture::Key(int key, Qt::KeyboardModifiers modifiers) {
  const int dx = key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : 0;
  const int dy = key == Qt::Key_Up ? -1 : key == Qt::Key_Down ? 1 : 0;
  ItemList& list = context_.Items();
  if ((dx == 0 && dy == 0) || FirstSelected(list) == nullptr) return false;
  const bool grid = modifiers.testFlag(Qt::ShiftModifier);
  const Point step = grid ? GridStep(list) : Point{1, 1};
  const bool continueRun = lastNudge_.isValid() && lastNudge_.elapsed() < kNudgeRunMs;
  lastNudge_.start();
  context_.RemoveSelectionMarks();
  const Rect area = NudgeSelection(list, context_.Events(), {dx * step.x, dy * step.y},
                                   continueRun, context_.Geometry());
  context_.Events().RepaintArea(area);
  context_.DrawSelectionMarks();
  context_.Events().SelectionChanged();
  return true;
}

void RubberBandGesture::Move(const PointerInput& input) {
  Overlay& overlay = context_.Marks();
  Rect changed = overlay.Restore(Overlay::kPreview);
  ItemList& list = context_.Items();
  const GeometryContext geometry = context_.Geometry();
  const Point a = context_.ToDocument(press_), b = context_.ToDocument(input.snapped);
  const Rect area = Normalised(a, b);
  const BoundingBox box{area.left, area.top, area.right, area.bottom};
  count_ = 0;
  bool reselected = false;
  for (ItemRecord& item : list) {
    if (item.recordClass() != kClassContent || item.hidden() != 0 || item.setAside() != 0 ||
        item.kind() == kKindGroupFrame || !IsDrawableKind(item.kind())) {
      continue;
    }
    const bool inside = InArea(box, item, input.shift, geometry);
    count_ += inside ? 1 : 0;
    if (inside != IsSelected(item)) {
      item.setSelected(inside ? 255 : 0);
      reselected = true;
    }
  }
  // The marks follow the new selection at once; a centre and rotation dot only for one item.
  if (reselected) context_.RedrawSelectionMarks();
  band_ = Normalised(press_, input.snapped);
  const Rect outline{band_.left, band_.top, band_.right + 1, band_.bottom + 1};
  overlay.Save(Overlay::kPreview,
               {outline.left - 1, outline.top - 1, outline.right + 1, outline.bottom + 1});
  context_.PaintRubberBand(band_);
  context_.CanvasChanged(United(changed, outline));
}

void RubberBandGesture::Release(const PointerInput& input) {
  context_.CanvasChanged(context_.Marks().Restore(Overlay::kPreview));
  band_ = Normalised(press_, input.snapped);
  count_ = 0;
  done_ = true;
  context_.Events().SelectionChanged();
  ShowSelectionPanel(context_);
}

void RubberBandGesture::Escape() {
  Cancel();
  escaped_ = true;
}

void RubberBandGesture::Cancel() {
  context_.CanvasChanged(context_.Marks().Restore(Overlay::kPreview));
  done_ = true;
}

void RubberBandGesture::Outcome(GestureOutcome& outcome) const {
  if (escaped_) {
    outcome.cancelled = true;
    return;
  }
  const Point topLeft = context_.ToDocument({band_.left, band_.top});
  const Point bottomRight = context_.ToDocument({band_.right, band_.bottom});
  outcome.rubberBand = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

DragGesture::DragGesture(CanvasContext& context, Kind kind, int32_t handle, Point anchor,
                         int32_t mode)
    : context_(context), kind_(kind), mode_(mode), anchor_(anchor) {
  session_ = StartDrag(context.Items(), handle);
}

// The guide a dragged end follows: the line through the other end along the preset direction
// of a single line or text, far enough to cross the canvas; false when there is none.
bool GuideLine(const DragSession& session, CanvasContext& context, Point& a, Point& b) {
  if (session.items.size() != 1 ||
      (session.handle != kHandleStart && session.handle != kHandleEnd)) {
    return false;
  }
  const ItemRecord& item = *session.items.front().item;
  if (item.kind() != kKindLine && item.kind() != kKindText) return false;
  const double degrees =
      item.kind() == kKindText ? static_cast<double>(item.presetTextAngle()) : item.direction();
  if (!(degrees >= 0)) return false;
  const Point fixed = session.handle == kHandleStart ? Point{item.refX2(), item.refY2()}
                                                     : Point{item.refX1(), item.refY1()};
  const double reach = 4000 / std::max(context.Geometry().zoom, 0.01);
  const Point ends[] = {MoveAlong(fixed, degrees, reach), MoveAlong(fixed, degrees + 180, reach)};
  a = context.ToCanvasPoint(ends[0]);
  b = context.ToCanvasPoint(ends[1]);
  return true;
}

void DragGesture::Preview(Point canvas) {
  Overlay& overlay = context_.Marks();
  Rect before = overlay.Restore(Overlay::kGuide);
  before = United(before, overlay.Restore(Overlay::kPreview));
  const GeometryContext geometry = context_.Geometry();
  const Rect document =
      ApplyDrag(session_, context_.ToDocument(anchor_), context_.ToDocument(canvas), geometry);
  // Room for the marks of construction lines drawn around the items.
  const int32_t margin = std::max(geometry.handle.width, geometry.handle.height);
  Rect area = context_.ToCanvas(document);
  area = {area.left - margin, area.top - margin, area.right + margin, area.bottom + margin};
  overlay.Save(Overlay::kPreview, area);
  if (context_.LiveDrag()) {
    std::vector<ItemRecord*> items;
    items.reserve(session_.items.size());
    for (const DragStart& s : session_.items)
      items.push_back(s.item);
    context_.PaintPreview(items);
  }
  Point a, b;
  if (GuideLine(session_, context_, a, b)) {
    const Rect span{std::min(a.x, b.x) - 1, std::min(a.y, b.y) - 1, std::max(a.x, b.x) + 2,
                    std::max(a.y, b.y) + 2};
    overlay.Save(Overlay::kGuide, span);
    context_.PaintGuide(a, b);
    area = United(area, span);
  }
  context_.CanvasChanged(United(before, area));
}

void DragGesture::Move(const PointerInput& input) {
  Preview(input.snapped);
}

void DragGesture::Release(const PointerInput& input) {
  const GeometryContext geometry = context_.Geometry();
  context_.CanvasChanged(context_.Marks().RestoreAll());
  if (kind_ == Kind::Handle) {
    ApplyDrag(session_, context_.ToDocument(anchor_), context_.ToDocument(input.snapped), geometry);
  }
  // A pasted set stays where the last move left it: a click without moving keeps the copies
  // at their offset from the originals.
  FinishDrag(session_, geometry);
  done_ = true;
  context_.RepaintAfterDrag();
}

void DragGesture::Escape() {
  done_ = escaped_ = true;
  const GeometryContext geometry = context_.Geometry();
  context_.CanvasChanged(context_.Marks().RestoreAll());
  if (kind_ == Kind::Paste) {
    // Esc takes the paste back altogether: the copies were never placed.
    WithdrawPaste(context_.Items(), pasteTail_, pasteWasModified_, context_.Events());
    return;
  }
  // The items go back to where the drag began; the step opened at the press stays.
  RestoreDragStart(session_, geometry);
  context_.RepaintAfterDrag();
}

void DragGesture::Cancel() {
  done_ = true;
  const GeometryContext geometry = context_.Geometry();
  context_.CanvasChanged(context_.Marks().RestoreAll());
  if (kind_ == Kind::Paste) {
    // The copies stay where they were last drawn; the canvas now shows them there.
    FinishDrag(session_, geometry);
    context_.Events().RepaintAll(false);
  } else {
    RestoreDragStart(session_, geometry);
  }
}

}  // namespace quillon
