// SPDX-License-Identifier: GPL-3.0-or-later
// The primitive layer: filled polygons (alternate rule), polylines, cubic Bezier paths and
// ellipses drawn with QPainter straight into a bitmap's rows, antialiasing off.
#pragma once

#include <QImage>
#include <QPainter>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "document/Geometry.h"
#include "render/Bitmap.h"
#include "render/GeometryContext.h"

namespace quillon {

// Marker colours of shading masks: outline pixels and interior pixels.
inline constexpr uint32_t kMarkerBlue = 0xFF0000;
inline constexpr uint32_t kMarkerRed = 0x0000FF;

// A solid pen centred on the outline; a width below 1 draws no outline. A one-pixel pen leaves
// out the last pixel of a polyline; wider pens have round ends and round joins.
struct Pen {
  uint32_t colour = 0;
  int32_t width = 1;
};

// A solid brush, or none.
using Brush = std::optional<uint32_t>;

// A box of real bitmap coordinates that far-away geometry is clipped to.
struct ClipBox {
  double left, top, right, bottom;
  bool Contains(const QPointF& p) const {
    return p.x() >= left && p.x() <= right && p.y() >= top && p.y() <= bottom;
  }
};

// Draws into a bitmap that shows the area of target coordinates starting at origin: a point p
// lands on bitmap pixel p - origin. Geometry far outside the bitmap is clipped first, so any
// coordinates are safe.
class Primitives {
 public:
  explicit Primitives(Bitmap& bitmap, Point origin = {});
  // Draws into band, which holds the rows from bandTop on of an area of band's width and
  // areaHeight rows whose top-left corner is origin: the painter works on the whole area,
  // clipped to the band, so every pixel comes out as it would on the whole area.
  Primitives(Bitmap& band, Point origin, int bandTop, int areaHeight);
  Primitives(const Primitives&) = delete;
  Primitives& operator=(const Primitives&) = delete;

  Bitmap& bitmap() { return bitmap_; }
  Point origin() const { return origin_; }
  // The target coordinates the bitmap covers, both edges included.
  BoundingBox Area() const;

  // A closed polygon, filled with the brush by the alternate rule and outlined with the pen.
  void Polygon(std::span<const Point> points, const Brush& brush, const Pen& pen);
  // An open polyline through the points.
  void Polyline(std::span<const Point> points, const Pen& pen);
  // A cubic Bezier chain (its start, then three points per segment) stroked with the pen and,
  // with a brush, filled by the alternate rule as a closed path.
  void Bezier(std::span<const Point> chain, const Brush& brush, const Pen& pen);
  // The ellipse inscribed in the box from (left, top) to (right, bottom).
  void Ellipse(const BoundingBox& box, const Brush& brush, const Pen& pen);

  // The painter itself, for text; its coordinates are target coordinates less PainterOrigin.
  QPainter& painter() { return painter_; }
  // The target coordinates of the painter's (0, 0): the origin, or that of the whole area a
  // band belongs to.
  Point PainterOrigin() const { return paintOrigin_; }

 private:
  void Use(const Brush& brush, const Pen& pen);
  // A one-pixel segment from a to b (bitmap pixels) that leaves out b, as polylines do.
  void ThinSegment(const QPointF& a, const QPointF& b, uint32_t colour);
  // Whether a painter point lies on the bitmap.
  bool Inside(const QPointF& p) const;
  // Points nearer than SafeBox go to the painter as they are; far geometry is clipped to
  // ClipBoxFor, the bitmap plus a margin the pen cannot reach across.
  ClipBox SafeBox(int32_t penWidth) const;
  ClipBox ClipBoxFor(int32_t penWidth) const;
  // Bitmap-relative points in scratch_, clipped when they reach far outside the bitmap.
  void Prepare(std::span<const Point> points, int32_t penWidth, bool closed);
  // Clips scratch_ when far: closed as a polygon, otherwise cut into runs of a polyline.
  void Clip(int32_t penWidth, bool closed, bool far);
  // Keeps every few vertices of each run of scratch_ when there are too many to draw.
  void Thin();
  // Appends a cubic segment's points after p0 to scratch_, finely only near the box.
  void FlattenCubic(const QPointF& p0, const QPointF& p1, const QPointF& p2, const QPointF& p3,
                    const ClipBox& box, int depth);
  // Draws the flattened path in scratch_: filled and outlined with a brush, else stroked.
  void FarPath(const Brush& brush, const Pen& pen);

  Bitmap& bitmap_;
  Point origin_;
  Point paintOrigin_;
  int bandTop_ = 0;     // painter row of the bitmap's first row
  int areaWidth_ = 0;   // the painter's device
  int areaHeight_ = 0;
  QImage image_;
  QPainter painter_;
  std::vector<QPointF> scratch_;
  std::vector<int> runs_;  // polyline pieces after clipping: start offsets into scratch_
};

}  // namespace quillon
