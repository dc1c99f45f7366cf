// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Primitives.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace quillon {
namespace {

// Points this far beyond the bitmap (plus the pen) are left to the clipper; nearer ones go to
// the painter untouched, so ordinary drawings are rasterised exactly as given.
constexpr double kUnclippedReach = 16384;
// Clipped geometry keeps this much room around the bitmap, so the pen along the clip edges
// stays outside it.
constexpr double kClipMargin = 16;
// The most vertices a polygon or polyline is drawn with; denser ones keep every few vertices,
// since the painter's work on millions of them (a star of a million spikes) runs to minutes.
constexpr std::size_t kMaxVertices = 1 << 16;
// Pens are never wider than the widest bitmap: a wider one covers the same pixels near its
// outline, and the painter's stroker misbehaves on absurd widths.
constexpr int32_t kMaxPenWidth = 32767;

QColor ColourFrom(uint32_t colour) {
  return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

// One Sutherland-Hodgman pass against the half-plane on the inner side of a box edge. A pass
// keeps the winding number of every point inside the half-plane, so the alternate fill inside
// the box is unchanged.
template <class Inside, class Cut>
void ClipPass(const std::vector<QPointF>& in, std::vector<QPointF>& out, Inside inside, Cut cut) {
  out.clear();
  if (in.empty()) return;
  QPointF previous = in.back();
  bool previousInside = inside(previous);
  for (const QPointF& p : in) {
    const bool pInside = inside(p);
    if (pInside != previousInside) out.push_back(cut(previous, p));
    if (pInside) out.push_back(p);
    previous = p;
    previousInside = pInside;
  }
}

QPointF AtX(const QPointF& a, const QPointF& b, double x) {
  const double t = (x - a.x()) / (b.x() - a.x());
  return {x, a.y() + t * (b.y() - a.y())};
}

QPointF AtY(const QPointF& a, const QPointF& b, double y) {
  const double t = (y - a.y()) / (b.y() - a.y());
  return {a.x() + t * (b.x() - a.x()), y};
}

void ClipPolygon(std::vector<QPointF>& points, const ClipBox& box) {
  std::vector<QPointF> other;
  other.reserve(points.size());
  ClipPass(
      points, other, [&](const QPointF& p) { return p.x() >= box.left; },
      [&](const QPointF& a, const QPointF& b) { return AtX(a, b, box.left); });
  ClipPass(
      other, points, [&](const QPointF& p) { return p.x() <= box.right; },
      [&](const QPointF& a, const QPointF& b) { return AtX(a, b, box.right); });
  ClipPass(
      points, other, [&](const QPointF& p) { return p.y() >= box.top; },
      [&](const QPointF& a, const QPointF& b) { return AtY(a, b, box.top); });
  ClipPass(
      other, points, [&](const QPointF& p) { return p.y() <= box.bottom; },
      [&](const QPointF& a, const QPointF& b) { return AtY(a, b, box.bottom); });
  // Runs along one clip edge collapse to their ends: they lie outside the bitmap and a hostile
  // polygon can leave millions of them.
  std::size_t kept = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (kept >= 2) {
      const QPointF& a = points[kept - 2];
      const QPointF& b = points[kept - 1];
      const QPointF& c = points[i];
      const bool sameX =
          a.x() == b.x() && b.x() == c.x() && (b.x() == box.left || b.x() == box.right);
      const bool sameY =
          a.y() == b.y() && b.y() == c.y() && (b.y() == box.top || b.y() == box.bottom);
      if (sameX || sameY) {
        points[kept - 1] = c;
        continue;
      }
    }
    points[kept++] = points[i];
  }
  points.resize(kept);
}

// Liang-Barsky: the part of segment a-b inside the box, if any.
bool ClipSegment(QPointF& a, QPointF& b, const ClipBox& box) {
  double t0 = 0, t1 = 1;
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x() - box.left, box.right - a.x(), a.y() - box.top, box.bottom - a.y()};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double r = q[i] / p[i];
    if (p[i] < 0) {
      t0 = std::max(t0, r);
    } else {
      t1 = std::min(t1, r);
    }
    if (t0 > t1) return false;
  }
  const QPointF start = a;
  if (t1 < 1) b = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
  if (t0 > 0) a = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
  return true;
}

}  // namespace

Primitives::Primitives(Bitmap& bitmap, Point origin)
    : bitmap_(bitmap),
      origin_(origin),
      paintOrigin_(origin),
      areaWidth_(bitmap.width()),
      areaHeight_(bitmap.height()),
      image_(bitmap.Image()) {
  if (!image_.isNull()) {
    painter_.begin(&image_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
  }
}

Primitives::Primitives(Bitmap& band, Point origin, int bandTop, int areaHeight)
    : bitmap_(band),
      origin_{origin.x, ClampToInt32(int64_t{origin.y} + bandTop)},
      paintOrigin_(origin),
      bandTop_(bandTop),
      areaWidth_(band.width()),
      areaHeight_(areaHeight) {
  if (band.empty() || bandTop < 0 || int64_t{bandTop} + band.height() > areaHeight) return;
  // The painter's image reaches over the rows before and after the band, which it never
  // touches: it is clipped to the band.
  uchar* first = band.Row(0) - static_cast<std::ptrdiff_t>(bandTop) * band.stride();
  image_ = QImage(first, band.width(), areaHeight, band.stride(), QImage::Format_BGR888);
  painter_.begin(&image_);
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setClipRect(QRect(0, bandTop, band.width(), band.height()));
}

BoundingBox Primitives::Area() const {
  return {origin_.x, origin_.y, ClampToInt32(int64_t{origin_.x} + bitmap_.width() - 1),
          ClampToInt32(int64_t{origin_.y} + bitmap_.height() - 1)};
}

void Primitives::Use(const Brush& brush, const Pen& given) {
  const Pen pen{given.colour, std::min(given.width, kMaxPenWidth)};
  if (pen.width < 1) {
    painter_.setPen(Qt::NoPen);
  } else if (pen.width == 1) {
    painter_.setPen(QPen(ColourFrom(pen.colour), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  } else {
    painter_.setPen(
        QPen(ColourFrom(pen.colour), pen.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  }
  painter_.setBrush(brush ? QBrush(ColourFrom(*brush)) : QBrush(Qt::NoBrush));
}

ClipBox Primitives::SafeBox(int32_t penWidth) const {
  const double reach = kUnclippedReach + std::clamp(penWidth, 0, kMaxPenWidth);
  return {-reach, -reach, areaWidth_ + reach, areaHeight_ + reach};
}

ClipBox Primitives::ClipBoxFor(int32_t penWidth) const {
  const double margin = kClipMargin + std::clamp(penWidth, 0, kMaxPenWidth);
  return {-margin, -margin, areaWidth_ + margin, areaHeight_ + margin};
}

void Primitives::Prepare(std::span<const Point> points, int32_t penWidth, bool closed) {
  scratch_.clear();
  const ClipBox safe = SafeBox(penWidth);
  bool far = false;
  for (Point p : points) {
    const QPointF q(double(p.x) - paintOrigin_.x, double(p.y) - paintOrigin_.y);
    // Repeated points add nothing but work.
    if (!scratch_.empty() && scratch_.back() == q) continue;
    scratch_.push_back(q);
    far = far || !safe.Contains(q);
  }
  Clip(penWidth, closed, far);
}

void Primitives::Clip(int32_t penWidth, bool closed, bool far) {
  runs_.clear();
  if (!far) {
    runs_.push_back(0);
    Thin();
    return;
  }
  const ClipBox box = ClipBoxFor(penWidth);
  if (closed) {
    ClipPolygon(scratch_, box);
    runs_.push_back(0);
    Thin();
    return;
  }
  std::vector<QPointF> pieces;
  for (std::size_t i = 1; i < scratch_.size(); ++i) {
    QPointF a = scratch_[i - 1], b = scratch_[i];
    if (!ClipSegment(a, b, box)) continue;
    if (pieces.empty() || pieces.back() != a || runs_.empty()) {
      runs_.push_back(static_cast<int>(pieces.size()));
      pieces.push_back(a);
    }
    pieces.push_back(b);
  }
  scratch_.swap(pieces);
  Thin();
}

void Primitives::Thin() {
  if (scratch_.size() <= kMaxVertices) return;
  // An odd step keeps alternating vertices alternating, so a dense star stays a star.
  std::size_t step = (scratch_.size() + kMaxVertices - 1) / kMaxVertices;
  if (step % 2 == 0) ++step;
  std::vector<QPointF> kept;
  std::vector<int> runs;
  for (std::size_t r = 0; r < runs_.size(); ++r) {
    const std::size_t begin = runs_[r];
    const std::size_t end = r + 1 < runs_.size() ? runs_[r + 1] : scratch_.size();
    runs.push_back(static_cast<int>(kept.size()));
    for (std::size_t i = begin; i < end; i += step)
      kept.push_back(scratch_[i]);
    if (end > begin && (end - 1 - begin) % step != 0) kept.push_back(scratch_[end - 1]);
  }
  scratch_.swap(kept);
  runs_.swap(runs);
}

void Primitives::Polygon(std::span<const Point> points, const Brush& brush, const Pen& pen) {
  if (image_.isNull() || points.empty()) return;
  Prepare(points, pen.width, true);
  if (scratch_.empty()) return;
  Use(brush, pen);
  painter_.drawPolygon(scratch_.data(), static_cast<int>(scratch_.size()), Qt::OddEvenFill);
}

void Primitives::Polyline(std::span<const Point> points, const Pen& pen) {
  if (image_.isNull() || points.size() < 2 || pen.width < 1) return;
  Prepare(points, pen.width, false);
  Use(std::nullopt, pen);
  for (std::size_t r = 0; r < runs_.size(); ++r) {
    const int begin = runs_[r];
    const int end = r + 1 < runs_.size() ? runs_[r + 1] : static_cast<int>(scratch_.size());
    if (end - begin < 2) continue;
    if (pen.width > 1) {
      painter_.drawPolyline(scratch_.data() + begin, end - begin);
      continue;
    }
    for (int i = begin + 1; i < end; ++i)
      ThinSegment(scratch_[i - 1], scratch_[i], pen.colour);
  }
}

bool Primitives::Inside(const QPointF& p) const {
  return p.x() >= 0 && p.y() >= bandTop_ && p.x() < bitmap_.width() &&
         p.y() < double(bandTop_) + bitmap_.height();
}

void Primitives::ThinSegment(const QPointF& a, const QPointF& b, uint32_t colour) {
  // The painter leaves out the end that lies further right (further down on steep lines),
  // whichever way the line runs; a polyline must leave out its end instead, so a segment drawn
  // towards the left or up gets its start and loses its end.
  const double dx = std::abs(b.x() - a.x()), dy = std::abs(b.y() - a.y());
  const bool endIsFar = dx >= dy ? b.x() > a.x() : b.y() > a.y();
  if (endIsFar) {
    painter_.drawLine(a, b);
    return;
  }
  const int bx = static_cast<int>(std::lround(b.x())), by = static_cast<int>(std::lround(b.y()));
  const bool keepEnd = Inside(b);
  const uint32_t under = keepEnd ? bitmap_.Pixel(bx, by - bandTop_) : 0;
  painter_.drawLine(a, b);
  if (keepEnd) bitmap_.SetPixel(bx, by - bandTop_, under);
  if (Inside(a)) {
    bitmap_.SetPixel(static_cast<int>(std::lround(a.x())),
                     static_cast<int>(std::lround(a.y())) - bandTop_, colour);
  }
}

void Primitives::Bezier(std::span<const Point> chain, const Brush& brush, const Pen& pen) {
  if (image_.isNull() || chain.size() < 4) return;
  const auto at = [&](Point p) {
    return QPointF(double(p.x) - paintOrigin_.x, double(p.y) - paintOrigin_.y);
  };
  const ClipBox safe = SafeBox(pen.width);
  bool far = false;
  for (Point p : chain)
    far = far || !safe.Contains(at(p));
  if (far) {
    // Flattened here, so that only the pieces near the bitmap cost anything.
    scratch_.clear();
    scratch_.push_back(at(chain[0]));
    const ClipBox box = ClipBoxFor(pen.width);
    for (std::size_t i = 1; i + 2 < chain.size(); i += 3)
      FlattenCubic(at(chain[i - 1]), at(chain[i]), at(chain[i + 1]), at(chain[i + 2]), box, 0);
    FarPath(brush, pen);
    return;
  }
  QPainterPath path(at(chain[0]));
  path.setFillRule(Qt::OddEvenFill);
  for (std::size_t i = 1; i + 2 < chain.size(); i += 3)
    path.cubicTo(at(chain[i]), at(chain[i + 1]), at(chain[i + 2]));
  Use(brush, pen);
  painter_.drawPath(path);
}

void Primitives::Ellipse(const BoundingBox& box, const Brush& brush, const Pen& pen) {
  if (image_.isNull()) return;
  const QRectF rect(double(box.left) - paintOrigin_.x, double(box.top) - paintOrigin_.y,
                    double(box.right) - box.left, double(box.bottom) - box.top);
  const ClipBox safe = SafeBox(pen.width);
  if (safe.Contains(rect.topLeft()) && safe.Contains(rect.bottomRight())) {
    Use(brush, pen);
    painter_.drawEllipse(rect);
    return;
  }
  // The four quarter arcs as cubic segments, flattened near the bitmap only.
  constexpr double k = 0.5522847498;
  const double cx = rect.center().x(), cy = rect.center().y();
  const double rx = rect.width() / 2, ry = rect.height() / 2;
  const ClipBox clip = ClipBoxFor(pen.width);
  scratch_.assign(1, QPointF(cx + rx, cy));
  FlattenCubic({cx + rx, cy}, {cx + rx, cy - k * ry}, {cx + k * rx, cy - ry}, {cx, cy - ry}, clip,
               0);
  FlattenCubic({cx, cy - ry}, {cx - k * rx, cy - ry}, {cx - rx, cy - k * ry}, {cx - rx, cy}, clip,
               0);
  FlattenCubic({cx - rx, cy}, {cx - rx, cy + k * ry}, {cx - k * rx, cy + ry}, {cx, cy + ry}, clip,
               0);
  FlattenCubic({cx, cy + ry}, {cx + k * rx, cy + ry}, {cx + rx, cy + k * ry}, {cx + rx, cy}, clip,
               0);
  FarPath(brush, pen);
}

void Primitives::FlattenCubic(const QPointF& p0, const QPointF& p1, const QPointF& p2,
                              const QPointF& p3, const ClipBox& box, int depth) {
  const double left = std::min({p0.x(), p1.x(), p2.x(), p3.x()});
  const double right = std::max({p0.x(), p1.x(), p2.x(), p3.x()});
  const double top = std::min({p0.y(), p1.y(), p2.y(), p3.y()});
  const double bottom = std::max({p0.y(), p1.y(), p2.y(), p3.y()});
  const bool outside = right < box.left || left > box.right || bottom < box.top || top > box.bottom;
  // A piece whose control points all lie outside the box is replaced by its control polygon:
  // the difference lies in their hull, outside the box, so nothing inside changes.
  const bool flat = right - left <= 0.5 && bottom - top <= 0.5;
  if (outside || flat || depth >= 40) {
    if (outside) {
      scratch_.push_back(p1);
      scratch_.push_back(p2);
    }
    scratch_.push_back(p3);
    return;
  }
  const QPointF a = (p0 + p1) / 2, b = (p1 + p2) / 2, c = (p2 + p3) / 2;
  const QPointF d = (a + b) / 2, e = (b + c) / 2, m = (d + e) / 2;
  FlattenCubic(p0, a, d, m, box, depth + 1);
  FlattenCubic(m, e, c, p3, box, depth + 1);
}

void Primitives::FarPath(const Brush& brush, const Pen& pen) {
  const bool closed = brush.has_value();
  Clip(pen.width, closed, true);
  if (scratch_.empty()) return;
  Use(brush, pen);
  if (closed) {
    painter_.drawPolygon(scratch_.data(), static_cast<int>(scratch_.size()), Qt::OddEvenFill);
    return;
  }
  for (std::size_t r = 0; r < runs_.size(); ++r) {
    const int begin = runs_[r];
    const int end = r + 1 < runs_.size() ? runs_[r + 1] : static_cast<int>(scratch_.size());
    if (end - begin >= 2) painter_.drawPolyline(scratch_.data() + begin, end - begin);
  }
}

}  // namespace quillon
