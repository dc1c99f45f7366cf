// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/LineDrawing.h"

#include <algorithm>
#include <cmath>

#include "render/Surfaces.h"

namespace quillon {

LineStroke LineStrokeOf(const ItemRecord& line, const ItemList& list, const TargetMapping& mapping,
                        double scale) {
  LineStroke stroke;
  stroke.p1 = mapping.Map({line.x1(), line.y1()});
  stroke.p2 = mapping.Map({line.x2(), line.y2()});
  // A damaged angle steps along the segment itself.
  stroke.theta = std::isfinite(line.angle()) ? line.angle() : AngleOf(stroke.p1, stroke.p2);
  stroke.width = std::max(1, RoundToInt32(scale * line.penWidth()));
  const int32_t outline = PixelWidth(scale, line.lineOutlineWeight(), list.screen());
  stroke.band = LineBandOf(line, stroke.width, outline, list.screen());
  if (stroke.band.bandColor) *stroke.band.bandColor &= 0xFFFFFF;
  stroke.lineColor = static_cast<uint32_t>(line.lineColor()) & 0xFFFFFFu;
  stroke.pattern = BuildPattern(list, line, scale);
  stroke.surface = line.surface();
  return stroke;
}

void DrawDash(Primitives& target, const Dash& dash, double theta, int32_t edgeWidth,
              uint32_t lineColor, const Brush& band) {
  const Pen pen{lineColor, 1};
  target.Polygon(dash.band, band, pen);
  if (edgeWidth < 2) return;
  for (int side = 1; side <= 4; ++side)
    target.Polygon(EdgeStrip(dash.band, side, edgeWidth, theta), lineColor, pen);
}

void DrawLine(Primitives& target, const LineStroke& stroke) {
  std::vector<Dash> dashes;
  WalkDashes(stroke.p1, stroke.p2, stroke.theta, stroke.width, stroke.pattern, target.Area(),
             dashes);
  const Brush band = stroke.band.bandColor ? Brush(uint32_t(*stroke.band.bandColor)) : Brush();
  for (const Dash& dash : dashes) {
    if (stroke.width < 2) {
      const Point ends[2] = {dash.start, dash.end};
      target.Polyline(ends, Pen{stroke.lineColor, 1});
    } else if (stroke.surface == 0 || stroke.width < 4) {
      DrawDash(target, dash, stroke.theta, stroke.band.edgeWidth, stroke.lineColor, band);
    } else {
      ShadeDash(target, dash, stroke.width, stroke.band.edgeWidth, stroke.theta, stroke.light,
                stroke.surface, stroke.lineColor, band);
    }
  }
}

}  // namespace quillon
