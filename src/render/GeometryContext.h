// SPDX-License-Identifier: GPL-3.0-or-later
// What geometry reads besides the record: the screen, the window's zoom, the handle settings
// and the font metrics of text items.
#pragma once

#include <cstdint>

#include "document/ScreenMetrics.h"

namespace quillon {

class TextMetrics;

// A handle square's size in window pixels.
struct HandleSize {
  int32_t width = 8;
  int32_t height = 8;
};

// A box of coordinates whose four edges all belong to it (like boundLeft .. boundBottom).
struct BoundingBox {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  friend bool operator==(const BoundingBox&, const BoundingBox&) = default;
};

struct GeometryContext {
  ScreenMetrics screen;
  double zoom = 1.0;
  HandleSize handle;                  // selection handles
  HandleSize textHandle{7, 7};        // handles of text items
  int32_t rotationDotDistance = 40;   // window pixels from the centre to the rotation dot
  const TextMetrics* text = nullptr;  // font metrics; without them a text is its baseline

  // Pick tolerance in document pixels: the handle width plus 2, whatever the zoom.
  int32_t PickTolerance() const { return handle.width + 2; }
};

}  // namespace quillon
