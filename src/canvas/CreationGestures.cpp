// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/CreationGestures.h"

#include <QtCore/qnamespace.h>

#include <algorithm>

#include "canvas/CreationBuilders.h"
#include "canvas/WindowPainter.h"
#include "document/EditCommands.h"
#include "document/History.h"
#include "document/ToolNumbers.h"
#include "render/Coordinates.h"
#include "render/ShapeBounds.h"
#include "settings/Customization.h"

namespace quillon {
namespace {

Rect Grown(Rect r, int32_t by) {
  return {r.left - by, r.top - by, r.right + by, r.bottom + by};
}

// A line with a custom pattern refers to a pattern record carrying the slot's lengths; a
// number outside the twelve slots, or an empty slot, draws the plain pattern.
void GivePattern(ItemList& list, ItemRecord& line, const TParams& params) {
  if (params.linePattern <= 5) return;
  const int slot = params.linePatternTab;
  if (slot < 1 || slot > kCustomSlots || params.customPatterns[slot - 1].inUse == 0) return;
  line.setLinePattern(AddCustomPatternRecord(list, params.customPatterns[slot - 1]));
}

}  // namespace

CreationGesture::CreationGesture(CanvasContext& context, int32_t mode)
    : context_(context), mode_(mode) {
  preview_.setPersisted(ItemRecord::DefaultBytes());
  preview_.setKind(KindOfTool(mode));
  if (mode == kModeLine) {
    StyleNewLine(preview_, context.Settings());
  } else {
    StyleNewShape(preview_, context.Settings());
  }
}

Rect CreationGesture::AreaOf(const ItemRecord& item) const {
  const GeometryContext geometry = context_.Geometry();
  const int32_t pen = PixelWidth(geometry.zoom, item.lineWeight(), geometry.screen);
  const int32_t margin = std::max({pen, geometry.handle.width, geometry.handle.height}) +
                         item.shadowSize() + 2;
  Rect box{std::min(item.boundLeft(), item.boundRight()), std::min(item.boundTop(), item.boundBottom()),
           std::max(item.boundLeft(), item.boundRight()) + 1,
           std::max(item.boundTop(), item.boundBottom()) + 1};
  if (item.kind() == kKindLine) {
    box = {std::min(item.x1(), item.x2()), std::min(item.y1(), item.y2()),
           std::max(item.x1(), item.x2()) + 1, std::max(item.y1(), item.y2()) + 1};
  }
  return Grown(context_.ToCanvas(box), margin);
}

void CreationGesture::ShowPreview(ItemRecord& item) {
  Overlay& overlay = context_.Marks();
  Rect changed = overlay.Restore(Overlay::kGuide);
  changed = United(changed, overlay.Restore(Overlay::kPreview));
  const Rect area = AreaOf(item);
  overlay.Save(Overlay::kPreview, area);
  context_.PaintPreview({&item});
  context_.CanvasChanged(United(changed, area));
}

void CreationGesture::ErasePreview() {
  context_.CanvasChanged(context_.Marks().RestoreAll());
}

void CreationGesture::Completed(const ItemRecord& item) {
  const GeometryContext geometry = context_.Geometry();
  const int32_t margin = item.penWidth() + item.shadowSize() + std::max(geometry.handle.width, 2);
  Rect box{std::min(item.boundLeft(), item.x1()), std::min(item.boundTop(), item.y1()),
           std::max(item.boundRight(), item.x2()), std::max(item.boundBottom(), item.y2())};
  if (item.kind() == kKindLine) {
    box = {std::min(item.x1(), item.x2()), std::min(item.y1(), item.y2()),
           std::max(item.x1(), item.x2()), std::max(item.y1(), item.y2())};
  }
  context_.Events().RepaintArea(Grown(box, margin));
  const int32_t page = GuidancePageOf(mode_);
  if (page != 0 && GuidanceOn(context_.Settings(), page)) context_.ShowPanel(page);
}

void CreationGesture::Press(const PointerInput& input) {
  context_.RemoveSelectionMarks();
  press_ = input.snapped;
}

bool CreationGesture::Key(int key, Qt::KeyboardModifiers modifiers) {
  if (modifiers.testFlag(Qt::ControlModifier) || !IsPointListTool(mode_)) return false;
  if (key == Qt::Key_Backspace || key == Qt::Key_Return || key == Qt::Key_Enter ||
      key == Qt::Key_C) {
    EntryKey(key);
  }
  return false;
}

void CreationGesture::Escape() {
  const bool clicked = step_ > 0 || Continuing();
  if (clicked) {
    EscapeClicks();
    if (Continuing()) return;
  } else if (IsShapeTool(mode_)) {
    ErasePreview();
  } else {
    return;
  }
  step_ = 0;
  escaped_ = true;
  if (IsShapeTool(mode_)) context_.Events().RepaintAll(true);
  if (clicked && IsPointListTool(mode_) &&
      GuidanceOn(context_.Settings(), EntryGuidancePageOf(mode_))) {
    context_.ShowPanel(mode_);
  }
}

void CreationGesture::EscapeClicks() {
  ErasePreview();
  step_ = 0;
}

void CreationGesture::Cancel() {
  ErasePreview();
  step_ = 0;
}

ClickShapeGesture::ClickShapeGesture(CanvasContext& context, int32_t mode)
    : CreationGesture(context, mode) {}

void ClickShapeGesture::Preview(Point pointer) {
  const GeometryContext geometry = context_.Geometry();
  std::vector<Point> points = clicks_;
  points.push_back(pointer);
  if (mode_ == kModeLine) {
    const Point end = LineEnd(points[0], pointer, preview_.direction());
    BuildLine(preview_, points[0], end, geometry.screen);
    ShowPreview(preview_);
    if (preview_.direction() >= 0) {
      // The guide joins the held end and the pointer.
      const Point a = context_.ToCanvasPoint(end), b = context_.ToCanvasPoint(pointer);
      const Rect span{std::min(a.x, b.x) - 1, std::min(a.y, b.y) - 1, std::max(a.x, b.x) + 2,
                      std::max(a.y, b.y) + 2};
      context_.Marks().Save(Overlay::kGuide, span);
      context_.PaintGuide(a, b);
      context_.CanvasChanged(span);
    }
    return;
  }
  BuildClickedShape(preview_, mode_, points, geometry);
  ShowPreview(preview_);
}

void ClickShapeGesture::Move(const PointerInput& input) {
  if (step_ > 0) Preview(Document(input));
}

void ClickShapeGesture::Hold(Point press) {
  if (step_ != 0) return;
  clicks_ = {context_.ToDocument(press)};
  step_ = 1;
}

void ClickShapeGesture::Release(const PointerInput& input) {
  const Point p = Document(input);
  // Every tool but the line waits when a click repeats the previous defining point.
  if (mode_ != kModeLine && !clicks_.empty() && p == clicks_.back()) return;
  clicks_.push_back(p);
  step_ = static_cast<int>(clicks_.size());
  if (static_cast<int>(clicks_.size()) < ClicksOfTool(mode_)) {
    Preview(p);
    return;
  }
  Finish();
}

void ClickShapeGesture::Finish() {
  ErasePreview();
  ItemList& list = context_.Items();
  const TParams& params = context_.Settings();
  const GeometryContext geometry = context_.Geometry();
  const int32_t kind = KindOfTool(mode_);
  ItemRecord* item = nullptr;
  if (mode_ == kModeLine) {
    // The pattern record comes first, so that the line follows it in the list.
    ItemRecord pattern;
    pattern.setPersisted(ItemRecord::DefaultBytes());
    GivePattern(list, pattern, params);
    item = &NewItem(list, kind, context_.Events());
    StyleNewLine(*item, params);
    if (pattern.linePattern() != 0) item->setLinePattern(pattern.linePattern());
    BuildLine(*item, clicks_[0], clicks_[1], geometry.screen);
  } else {
    item = &NewItem(list, kind, context_.Events());
    StyleNewShape(*item, params);
    BuildClickedShape(*item, mode_, clicks_, geometry);
  }
  clicks_.clear();
  step_ = 0;
  Completed(*item);
}

void ClickShapeGesture::EscapeClicks() {
  CreationGesture::EscapeClicks();
  clicks_.clear();
}

PointListGesture::PointListGesture(CanvasContext& context, int32_t mode)
    : CreationGesture(context, mode) {}

PointListGesture::PointListGesture(CanvasContext& context, ItemRecord& continued, Point pointer)
    : CreationGesture(context, continued.kind() == kKindCurve ? kModeContinueCurve
                                                              : kModeContinueSpline) {
  // The preview takes the continued item's look: colours, style, weight and curve factor.
  preview_.setLineColor(continued.lineColor());
  preview_.setFillColor(continued.fillColor());
  preview_.setLineWeight(continued.lineWeight());
  preview_.setPenWidth(continued.penWidth());
  preview_.setCurveFactor(continued.curveFactor());
  continuedStyle_ = continued.shapeStyle();
  entries_ = continued.points;
  continued.setSetAside(255);
  pointer_ = pointer;
  AppendFloating(entries_, pointer);
  step_ = 1;
}

int32_t PointListGesture::Style() const {
  return Continuing() ? continuedStyle_ : ToolShapeStyle(mode_, context_.Settings());
}

void PointListGesture::Preview() {
  BuildPointList(preview_, entries_, Style(), context_.Geometry());
  ShowPreview(preview_);
}

void PointListGesture::Move(const PointerInput& input) {
  pointer_ = Document(input);
  if (step_ == 0 || entries_.empty()) return;
  entries_.back().point = pointer_;
  Preview();
}

void PointListGesture::Hold(Point press) {
  if (step_ != 0) return;
  pointer_ = context_.ToDocument(press);
  entries_.clear();
  AppendFloating(entries_, pointer_);
  AppendFloating(entries_, pointer_);
  step_ = 1;
}

void PointListGesture::Release(const PointerInput& input) {
  const Point p = Document(input);
  pointer_ = p;
  if (entries_.empty()) {
    // A Shift-click as the first click enters nothing.
    if (input.shift) return;
    AppendFloating(entries_, p);
    AppendFloating(entries_, p);
    step_ = 1;
    Preview();
    return;
  }
  // The point before the floating one is the previous defining point.
  if (entries_.size() >= 2 && p == entries_[entries_.size() - 2].point) return;
  entries_.back().point = p;
  if (input.shift) {
    step_ = 2;
    Finish(Style());
    return;
  }
  AppendFloating(entries_, p);
  const int32_t page = EntryGuidancePageOf(mode_);
  if (page != 0 && GuidanceOn(context_.Settings(), page)) context_.ShowPanel(page);
  Preview();
}

bool PointListGesture::EntryKey(int key) {
  if (step_ == 0 || entries_.empty()) return false;
  if (key == Qt::Key_Backspace) {
    entries_.pop_back();
    if (!entries_.empty()) entries_.back().point = pointer_;
    if (entries_.size() < 2) {
      if (Continuing()) {
        // The continued item goes back as it was, as Esc leaves it.
        Abandon();
        context_.ShowPanel(kToolPointer);
        return true;
      }
      ErasePreview();
      entries_.clear();
      step_ = 0;
      context_.ShowPanel(mode_);
      return true;
    }
    Preview();
    return true;
  }
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    entries_.pop_back();
    if (entries_.size() < 2) {
      ErasePreview();
      entries_.clear();
      step_ = 0;
      if (Continuing()) {
        // The item left with fewer than two points is deleted as Cut does, in one step.
        PutBack(true);
        CutSelection(context_.Items(), context_.Events());
        ended_ = true;
        context_.ShowPanel(kToolPointer);
      }
      return true;
    }
    Finish(Style());
    return true;
  }
  if (key == Qt::Key_C) {
    const TParams& params = context_.Settings();
    const bool open = (mode_ == kToolSpline && params.polyshape == 0) ||
                      (mode_ == kToolCurve && params.bpolyshape == 0);
    if (!open || entries_.size() <= 3) return false;
    entries_.pop_back();
    Finish(1);
    return true;
  }
  return false;
}

void PointListGesture::Finish(int32_t style) {
  ErasePreview();
  std::vector<PointEntry> entries = std::move(entries_);
  entries_.clear();
  step_ = 0;
  const GeometryContext geometry = context_.Geometry();
  if (Continuing()) {
    ended_ = true;
    ItemRecord* item = PutBack(true);
    if (item == nullptr) return;
    if (entries.size() < 2) {
      CutSelection(context_.Items(), context_.Events());
      context_.ShowPanel(kToolPointer);
      return;
    }
    BeginEdit(context_.Items(), context_.Events(), false);
    ItemRecord* clone = SoleSelected(context_.Items());
    if (clone == nullptr) return;
    BuildPointList(*clone, std::move(entries), continuedStyle_, geometry);
    context_.Events().RepaintAll(true);
    context_.Events().SelectionChanged();
    context_.ShowPanel(SelectionToolNumber(context_.Items()));
    return;
  }
  ItemRecord& item = NewItem(context_.Items(), KindOfTool(mode_), context_.Events());
  StyleNewShape(item, context_.Settings());
  BuildPointList(item, std::move(entries), style, geometry);
  Completed(item);
}

ItemRecord* PointListGesture::PutBack(bool select) {
  ItemList& list = context_.Items();
  ItemRecord* found = nullptr;
  for (ItemRecord& r : list) {
    if (r.setAside() != 0) found = &r;
  }
  if (found == nullptr) return nullptr;
  found->setSetAside(0);
  RecomputeBounds(*found, context_.Geometry());
  if (select) SelectOnly(list, found);
  return found;
}

void PointListGesture::Abandon() {
  ErasePreview();
  entries_.clear();
  step_ = 0;
  ended_ = true;
  PutBack(false);
  context_.Events().RepaintAll(true);
}

void PointListGesture::EscapeClicks() {
  if (Continuing()) {
    Abandon();
    context_.ShowPanel(kToolPointer);
    return;
  }
  CreationGesture::EscapeClicks();
  entries_.clear();
}

void PointListGesture::Cancel() {
  if (Continuing()) {
    Abandon();
    return;
  }
  CreationGesture::Cancel();
  entries_.clear();
}

std::unique_ptr<CreationGesture> MakeCreationGesture(CanvasContext& context, int32_t mode) {
  if (IsPointListTool(mode)) return std::make_unique<PointListGesture>(context, mode);
  if (mode == kModeLine || ClicksOfTool(mode) > 0) {
    return std::make_unique<ClickShapeGesture>(context, mode);
  }
  return nullptr;
}

}  // namespace quillon
