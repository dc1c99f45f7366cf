// SPDX-License-Identifier: GPL-3.0-or-later
// Font metrics of text items, supplied by the text renderer, and the text block they give.
#pragma once

#include <array>
#include <cstdint>

#include "document/ItemRecord.h"
#include "render/GeometryContext.h"
#include "render/LineStyle.h"

namespace quillon {

// Metrics of an item's font in target pixels.
struct FontMetrics {
  int32_t ascent = 0;
  int32_t descent = 0;
  int32_t externalLeading = 0;
  int32_t overhang = 0;
};

class TextMetrics {
 public:
  virtual ~TextMetrics() = default;
  // Metrics of the text item's font at round(fontSize * scale) points, without escapement.
  virtual FontMetrics Measure(const ItemRecord& text, double scale) const = 0;
};

// The direction of a text in radians; values of 3600 and more draw like the value minus 3600.
double TextDirection(const ItemRecord& text);

struct TextBlock {
  Quad corners;            // the rotated block above the baseline
  BoundingBox block;       // the corners' bounding box
  BoundingBox itemBounds;  // block widened by the overhang or half the text handle
};

// The block of a text item of n lines in document pixels (metrics at scale 1): the one-sided
// band from the baseline, lowered by the descent, of height max(n, 1) * line height.
TextBlock TextRect(const ItemRecord& text, const FontMetrics& metrics, HandleSize textHandle);

// The one-sided band of a given height over the baseline lowered by descent (document pixels).
Quad TextBand(const ItemRecord& text, double descent, double height);

}  // namespace quillon
