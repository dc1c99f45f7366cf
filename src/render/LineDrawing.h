// SPDX-License-Identifier: GPL-3.0-or-later
// Painting line items: the band cut into dashes, each dash a filled four-cornered polygon with
// its edge strips, flat or shaded.
#pragma once

#include "document/ItemList.h"
#include "render/Coordinates.h"
#include "render/LineStyle.h"
#include "render/Primitives.h"

namespace quillon {

// A line as it is painted, in target pixels.
struct LineStroke {
  Point p1;
  Point p2;
  double theta = 0;   // the direction the dashes step along
  int32_t width = 1;  // W, the band's width
  LineBand band;      // edge width and band colour (none: clear)
  uint32_t lineColor = 0;
  DashPattern pattern;
  int surface = 0;  // 0 flat; otherwise dashes of 4 pixels and wider are shaded
  int light = 0;
};

// The stroke of a line item at a mapping; scale is the single scale of widths and patterns
// (outScaleY, or the zoom in the window).
LineStroke LineStrokeOf(const ItemRecord& line, const ItemList& list, const TargetMapping& mapping,
                        double scale);

// One dash: its band filled with the band brush under a 1-pixel pen in the line colour, then,
// when edgeWidth is at least 2, its four edge strips in the line colour.
void DrawDash(Primitives& target, const Dash& dash, double theta, int32_t edgeWidth,
              uint32_t lineColor, const Brush& band);

// The whole line: its dashes along the pattern, each a one-pixel polyline when the band is
// narrower than 2, flat below 4 pixels or without a surface, shaded otherwise. Only dashes that
// can reach the target's bitmap are drawn.
void DrawLine(Primitives& target, const LineStroke& stroke);

}  // namespace quillon
