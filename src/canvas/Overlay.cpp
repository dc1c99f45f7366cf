// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/Overlay.h"

#include "canvas/WindowPainter.h"

namespace quillon {

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

}  // namespace quillon
