// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas's temporary marks (drag preview, rubber band, guide line, caret, and the handle
// marks of selected items) each lie over pixels saved beforehand; this object owns those
// save-unders, and restoring a layer or an item's marks puts the canvas back exactly as it was.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "document/Geometry.h"
#include "document/ItemList.h"
#include "render/Bitmap.h"
#include "render/Handles.h"

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

  // Draws an item's handle marks over the canvas after saving every pixel they cover; marks
  // the item had are taken away first. The rectangles changed.
  std::vector<Rect> MarkHandles(const ItemList& list, const ItemRecord& item,
                                const std::vector<Handle>& handles, HandleSize size);
  // Puts back the pixels under the item's marks; the rectangles restored.
  std::vector<Rect> UnmarkHandles(const ItemRecord& item);
  // Takes every item's marks away, the latest drawn first, so that a mark drawn over an earlier
  // one gives back that one's pixels. The rectangles restored.
  std::vector<Rect> UnmarkAll(const ItemList& list);
  // Forgets the pixels under every mark without putting them back (the canvas was repainted).
  void DropMarks() { marked_.clear(); }

 private:
  struct SavedArea {
    bool valid = false;
    Rect area;
    Bitmap pixels;
  };
  // The pixels under one item's marks. The record pointer is good while the list's generation
  // is markedGeneration_; the ordinal finds the record after records were freed.
  struct MarkedItem {
    const ItemRecord* record = nullptr;
    uint64_t ordinal = 0;
    std::vector<SavedArea> saves;
  };
  void SaveUnderMark(MarkedItem& marked, Rect area);
  // Puts the pixels back, unless the record was hidden since: an edit or a cut superseded it,
  // and what lay under its marks is no longer the canvas's.
  void PutBack(const MarkedItem& marked, std::vector<Rect>& restored);

  Bitmap* canvas_ = nullptr;
  std::array<SavedArea, kLayerCount> saves_;
  // In the order the marks were drawn.
  std::vector<MarkedItem> marked_;
  uint64_t markedGeneration_ = 0;
};

}  // namespace quillon
