// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/TextMetrics.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quillon {

double TextDirection(const ItemRecord& text) {
  const int32_t tenths = text.textAngle() % 3600;
  return (tenths < 0 ? tenths + 3600 : tenths) / 10.0 * std::numbers::pi / 180.0;
}

Quad TextBand(const ItemRecord& text, double descent, double height) {
  const double theta = TextDirection(text);
  // The baseline lowered by the descent, along theta - 90 degrees.
  const double dx = descent * std::cos(theta - std::numbers::pi / 2);
  const double dy = -descent * std::sin(theta - std::numbers::pi / 2);
  const PointF s{text.x1() + dx, text.y1() + dy};
  const PointF e{text.x2() + dx, text.y2() + dy};
  return DashBand(s, e, height, theta, true);
}

TextBlock TextRect(const ItemRecord& text, const FontMetrics& m, HandleSize textHandle) {
  const int lines = std::max(LineCount(text), 1);
  const double lineHeight = double(m.ascent) + m.descent + m.externalLeading;
  TextBlock block;
  block.corners = TextBand(text, m.descent, lines * lineHeight);
  const auto [minX, maxX] =
      std::minmax({block.corners[0].x, block.corners[1].x, block.corners[2].x, block.corners[3].x});
  const auto [minY, maxY] =
      std::minmax({block.corners[0].y, block.corners[1].y, block.corners[2].y, block.corners[3].y});
  block.block = {minX, minY, maxX, maxY};
  const int64_t growX = std::max(m.overhang, textHandle.width / 2);
  const int64_t growY = std::max(m.overhang, textHandle.height / 2);
  block.itemBounds = {ClampToInt32(minX - growX), ClampToInt32(minY - growY),
                      ClampToInt32(maxX + growX), ClampToInt32(maxY + growY)};
  return block;
}

}  // namespace quillon
