// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/FlatBodies.h"

#include <algorithm>

namespace quillon {

BodyStyle BodyStyleOf(int32_t fillColor, uint32_t penColour, uint32_t brushColour,
                      int32_t outlineWidth) {
  if (fillColor == kFillSolid) return {penColour, Pen{penColour, 1}};
  if (fillColor == kFillClear) return {std::nullopt, Pen{penColour, outlineWidth}};
  return {brushColour & 0xFFFFFFu, Pen{penColour, outlineWidth}};
}

BodyStyle FlatBodyStyle(const ItemRecord& item, int32_t outlineWidth) {
  return BodyStyleOf(item.fillColor(), static_cast<uint32_t>(item.lineColor()) & 0xFFFFFFu,
                     static_cast<uint32_t>(item.fillColor()), outlineWidth);
}

void DrawBody(Primitives& target, const Outline& outline, const BodyStyle& style) {
  switch (outline.form) {
    case OutlineForm::Polygon:
      target.Polygon(outline.points, style.brush, style.pen);
      break;
    case OutlineForm::Polyline:
      target.Polyline(outline.points, style.pen);
      break;
    case OutlineForm::Bezier:
      target.Bezier(outline.points, outline.fillable ? style.brush : std::nullopt, style.pen);
      break;
    case OutlineForm::Circle: {
      const int32_t r = outline.radius;
      const Point c = outline.centre;
      target.Ellipse({ClampToInt32(int64_t{c.x} - r), ClampToInt32(int64_t{c.y} - r),
                      ClampToInt32(int64_t{c.x} + r), ClampToInt32(int64_t{c.y} + r)},
                     style.brush, style.pen);
      break;
    }
    case OutlineForm::None:
      break;
  }
}

std::optional<BoundingBox> PointsBox(std::span<const Point> points) {
  if (points.empty()) return std::nullopt;
  BoundingBox box{points[0].x, points[0].y, points[0].x, points[0].y};
  for (Point p : points) {
    box.left = std::min(box.left, p.x);
    box.top = std::min(box.top, p.y);
    box.right = std::max(box.right, p.x);
    box.bottom = std::max(box.bottom, p.y);
  }
  return box;
}

std::optional<BoundingBox> OutlineBox(const Outline& outline) {
  if (outline.form == OutlineForm::None) return std::nullopt;
  if (outline.form == OutlineForm::Circle) {
    const int32_t r = outline.radius;
    const Point c = outline.centre;
    return BoundingBox{ClampToInt32(int64_t{c.x} - r), ClampToInt32(int64_t{c.y} - r),
                       ClampToInt32(int64_t{c.x} + r), ClampToInt32(int64_t{c.y} + r)};
  }
  return PointsBox(outline.points);
}

BoundingBox Union(const BoundingBox& a, const BoundingBox& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

}  // namespace quillon
