// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas's temporary marks (drag preview, rubber band, guide line, caret) each lie over
// pixels saved beforehand; this object owns those save-unders, and restoring a layer puts the
// canvas back exactly as it was.
#pragma once

#include <array>

#include "document/Geometry.h"
#include "render/Bitmap.h"

namespace quillon {

class Overlay {
 public:
  enum Layer { kPreview, kGuide, kCaret, kLayerCount };

  void SetCanvas(Bitmap* canvas) { canvas_ = canvas; }
  // Saves the canvas pixels under area (canvas pixels, clipped to the canvas) for the layer;
  // whatever the layer held before is dropped unrestored.
  void Save(Layer layer, Rect area);
  // Puts the layer's pixels back and invalidates it; the rectangle restored, empty when none.
  Rect Restore(Layer layer);
  // Restores every layer, the last saved first.
  Rect RestoreAll();
  // Drops a layer's pixels without putting them back (the canvas was repainted under them).
  void Invalidate(Layer layer) { saves_[layer].valid = false; }
  void InvalidateAll();
  bool Valid(Layer layer) const { return saves_[layer].valid; }

 private:
  struct SavedArea {
    bool valid = false;
    Rect area;
    Bitmap pixels;
  };
  Bitmap* canvas_ = nullptr;
  std::array<SavedArea, kLayerCount> saves_;
};

}  // namespace quillon
