// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/Overlay.h"

#include <QPainter>
#include <algorithm>
#include <unordered_map>

#include "canvas/WindowPainter.h"

namespace quillon {
namespace {

// The look of selection handles.
constexpr uint32_t kHandlePenColour = 8421504;
constexpr uint32_t kHandleColour = 65535;
constexpr uint32_t kGroupHandleColour = 255;
constexpr uint32_t kRotationDotColour = 65280;
constexpr uint32_t kRotationLineBackground = 16777215;

Rect Exclusive(const BoundingBox& box, int grow) {
  return {box.left, box.top, box.right + 1 + grow, box.bottom + 1 + grow};
}

void DrawHandles(Bitmap& canvas, const std::vector<Handle>& handles, HandleSize size) {
  QImage image = canvas.Image();
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (const Handle& h : handles) {
    if (!h.rotationDot) continue;
    QPen line(ToQColor(kHandlePenColour), 1, Qt::DotLine);
    painter.setPen(line);
    painter.setBackground(ToQColor(kRotationLineBackground));
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.drawLine(h.lineFrom.x, h.lineFrom.y, h.position.x, h.position.y);
    painter.setBackgroundMode(Qt::TransparentMode);
    const BoundingBox box = HandleRect(h.position, size);
    painter.setPen(ToQColor(kHandlePenColour));
    painter.setBrush(ToQColor(kRotationDotColour));
    painter.drawEllipse(box.left, box.top, box.right - box.left, box.bottom - box.top);
  }
  for (const Handle& h : handles) {
    if (h.rotationDot) continue;
    const BoundingBox box = HandleRect(h.position, size);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ToQColor(h.groupColour ? kGroupHandleColour : kHandleColour));
    painter.drawRect(box.left + 1, box.top + 1, box.right - box.left - 1, box.bottom - box.top - 1);
    painter.setPen(ToQColor(kHandlePenColour));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.left, box.top, box.right - box.left, box.bottom - box.top);
  }
}

}  // namespace

void Overlay::Save(Layer layer, Rect area) {
  SavedArea& save = saves_[layer];
  save.valid = false;
  if (canvas_ == nullptr || canvas_->empty()) return;
  area = Intersected(area, {0, 0, canvas_->width(), canvas_->height()});
  if (IsEmpty(area)) return;
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (save.pixels.width() != width || save.pixels.height() != height) {
    save.pixels = Bitmap(width, height);
  }
  save.pixels.CopyFrom(*canvas_, area.left, area.top, width, height, 0, 0);
  save.area = area;
  save.valid = true;
}

Rect Overlay::Restore(Layer layer) {
  SavedArea& save = saves_[layer];
  if (!save.valid || canvas_ == nullptr) return {};
  save.valid = false;
  const Rect& a = save.area;
  if (a.right > canvas_->width() || a.bottom > canvas_->height()) return {};
  canvas_->CopyFrom(save.pixels, 0, 0, a.right - a.left, a.bottom - a.top, a.left, a.top);
  return a;
}

Rect Overlay::RestoreAll() {
  Rect all{};
  for (int layer = kLayerCount - 1; layer >= 0; --layer) {
    const Rect r = Restore(static_cast<Layer>(layer));
    if (!IsEmpty(r)) all = IsEmpty(all) ? r : United(all, r);
  }
  return all;
}

void Overlay::InvalidateAll() {
  for (SavedArea& save : saves_)
    save.valid = false;
}

std::vector<Rect> Overlay::MarkHandles(const ItemList& list, const ItemRecord& item,
                                       const std::vector<Handle>& handles, HandleSize size) {
  std::vector<Rect> changed = UnmarkHandles(item);
  if (canvas_ == nullptr || canvas_->empty() || handles.empty()) return changed;
  // Every mark is listed here, so an empty list means none is drawn anywhere.
  if (marked_.empty()) markedGeneration_ = list.Generation();
  MarkedItem& marked = marked_.emplace_back(MarkedItem{&item, item.ordinal(), {}});
  // Everything under the marks is saved before anything is drawn.
  for (const Handle& h : handles) {
    SaveUnderMark(marked, Exclusive(HandleRect(h.position, size), 1));
    if (h.rotationDot) {
      SaveUnderMark(
          marked,
          {std::min(h.position.x, h.lineFrom.x) - 2, std::min(h.position.y, h.lineFrom.y) - 2,
           std::max(h.position.x, h.lineFrom.x) + 3, std::max(h.position.y, h.lineFrom.y) + 3});
    }
  }
  DrawHandles(*canvas_, handles, size);
  for (const SavedArea& save : marked.saves)
    changed.push_back(save.area);
  return changed;
}

std::vector<Rect> Overlay::UnmarkHandles(const ItemRecord& item) {
  std::vector<Rect> restored;
  const auto it = std::find_if(marked_.begin(), marked_.end(),
                               [&](const MarkedItem& m) { return m.ordinal == item.ordinal(); });
  if (it == marked_.end()) return restored;
  it->record = &item;
  PutBack(*it, restored);
  marked_.erase(it);
  return restored;
}

std::vector<Rect> Overlay::UnmarkAll(const ItemList& list) {
  std::vector<Rect> restored;
  if (list.Generation() == markedGeneration_) {
    for (auto it = marked_.rbegin(); it != marked_.rend(); ++it)
      PutBack(*it, restored);
  } else {
    // Records were freed since: the marked ones still present are found by their ordinals,
    // and the marks of the others went with them.
    std::unordered_map<uint64_t, const ItemRecord*> present;
    for (const MarkedItem& m : marked_)
      present.emplace(m.ordinal, nullptr);
    for (const ItemRecord& item : list) {
      if (auto found = present.find(item.ordinal()); found != present.end()) {
        found->second = &item;
      }
    }
    for (auto it = marked_.rbegin(); it != marked_.rend(); ++it) {
      if (const ItemRecord* record = present[it->ordinal]) {
        it->record = record;
        PutBack(*it, restored);
      }
    }
  }
  marked_.clear();
  return restored;
}

void Overlay::SaveUnderMark(MarkedItem& marked, Rect area) {
  area = Intersected(area, {0, 0, canvas_->width(), canvas_->height()});
  if (IsEmpty(area)) return;
  SavedArea& save = marked.saves.emplace_back();
  save.pixels = Bitmap(area.right - area.left, area.bottom - area.top);
  save.pixels.CopyFrom(*canvas_, area.left, area.top, save.pixels.width(), save.pixels.height(), 0,
                       0);
  save.area = area;
  save.valid = true;
}

void Overlay::PutBack(const MarkedItem& marked, std::vector<Rect>& restored) {
  if (canvas_ == nullptr || marked.record->hidden() != 0) return;
  for (const SavedArea& save : marked.saves) {
    const Rect& a = save.area;
    if (a.right > canvas_->width() || a.bottom > canvas_->height()) continue;
    canvas_->CopyFrom(save.pixels, 0, 0, a.right - a.left, a.bottom - a.top, a.left, a.top);
    restored.push_back(a);
  }
}

}  // namespace quillon
