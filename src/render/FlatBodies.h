// SPDX-License-Identifier: GPL-3.0-or-later
// Flat bodies: a shape's outline drawn with a pen and, where it is a closed region, filled,
// by the fill rules of the item (solid, clear or a fill colour).
#pragma once

#include <optional>

#include "document/ItemRecord.h"
#include "render/Outlines.h"
#include "render/Primitives.h"

namespace quillon {

// fillColor values with a meaning of their own; every other value is a colour.
inline constexpr int32_t kFillSolid = -2;  // filled with the line colour, 1-pixel pen
inline constexpr int32_t kFillClear = -1;  // not filled

constexpr bool IsFillColour(int32_t fillColor) {
  return fillColor != kFillSolid && fillColor != kFillClear;
}

struct BodyStyle {
  Brush brush;
  Pen pen;
};

// The fill rules with the colours of one drawing: fillColor -2 fills with the pen colour under a
// 1-pixel pen; -1 leaves the body empty under a pen outlineWidth wide; any other value fills with
// brushColour under that pen.
BodyStyle BodyStyleOf(int32_t fillColor, uint32_t penColour, uint32_t brushColour,
                      int32_t outlineWidth);
// The flat look of a shape: line colour for the pen, fill colour for the brush.
BodyStyle FlatBodyStyle(const ItemRecord& item, int32_t outlineWidth);

// Draws an outline: polygons, circles and fillable Bezier chains take the brush, polylines and
// other chains only the pen.
void DrawBody(Primitives& target, const Outline& outline, const BodyStyle& style);

// The box of the outline's points (circles: the square about the centre), or none when the
// outline is empty.
std::optional<BoundingBox> OutlineBox(const Outline& outline);
// The box of a list of points, or none when it is empty.
std::optional<BoundingBox> PointsBox(std::span<const Point> points);
// The smallest box holding both.
BoundingBox Union(const BoundingBox& a, const BoundingBox& b);

}  // namespace quillon
