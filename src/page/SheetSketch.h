// SPDX-License-Identifier: GPL-3.0-or-later
// The sketch of the sheet that the page setup wizard shows beside the page dimensions: the
// paper, its margins and the cards or panels, scaled to fit an area (or at actual size for a
// picture measured in pixels).
#pragma once

#include <QRectF>
#include <QString>
#include <cstdint>
#include <vector>

#include "page/Pageset.h"

namespace quillon {

inline constexpr char kSketchScaledCaption[] = "Scaled to fit this window";
inline constexpr char kSketchActualCaption[] = "Actual size";

struct SheetSketch {
  bool drawn = false;  // false when the paper size does not parse or is not positive
  bool actualSize = false;
  QRectF paper;               // in sketch pixels, at (0, 0)
  QRectF margins;             // the area inside the margins; empty when there are none
  std::vector<QRectF> cards;  // the cards, labels or panels, in sketch pixels
};

// The most cards a sketch draws; a sheet of more shows its first ones.
inline constexpr int kMaxSketchCards = 10000;
// The largest picture in pixels that a sketch shows at actual size, per side.
inline constexpr double kMaxSketchSide = 32000;

// The sketch of the current unit block of a kind's description in an area of that size.
SheetSketch SketchSheet(int32_t kind, const pageset_t& set, int areaWidth, int areaHeight);

}  // namespace quillon
