// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/HitTest.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <span>
#include <vector>

#include "render/Coordinates.h"
#include "render/FlatBodies.h"
#include "render/Outlines.h"
#include "render/TextMetrics.h"
#include "render/Transforms.h"

namespace quillon {
namespace {

constexpr double kPi = std::numbers::pi;

// The unrounded distance behind SegmentDistance.
std::optional<double> SegDistance(Point a, Point b, Point d) {
  // A segment of at most two pixels along one row would leave its foot unchecked on the other
  // axis and reach the whole column; measure to the segment itself instead.
  if (a.y == b.y && std::abs(int64_t{a.x} - b.x) <= 2) {
    const Point nearest{std::clamp(d.x, std::min(a.x, b.x), std::max(a.x, b.x)), a.y};
    return DistanceOf(d, nearest);
  }
  const Projection f = ProjectOntoLine(a, b, d);
  if (!f.between) return std::nullopt;
  return DistanceOf(d, f.foot);
}

std::optional<double> EitherWay(Point a, Point b, Point d) {
  auto t = SegDistance(a, b, d);
  return t ? t : SegDistance(b, a, d);
}

int64_t Rounded(double v) {
  return RoundToInt32(v);
}

// The distance of a point on a line of weight w pixels: less half the weight, at least 1.
int64_t Trim(int64_t t, int64_t w) {
  if (w > 1) t -= w / 2;
  return std::max<int64_t>(t, 1);
}

// Whether d lies more than reach away from the box of a and b grown by grow on some axis;
// then no point of that box, and no foot or sample in it, can come within reach.
bool Beyond(Point a, Point b, double grow, Point d, double reach) {
  const auto beyond = [&](double lo, double hi, double v) {
    return std::max(lo - grow - v, v - hi - grow) > reach;
  };
  return beyond(std::min(a.x, b.x), std::max(a.x, b.x), d.x) ||
         beyond(std::min(a.y, b.y), std::max(a.y, b.y), d.y);
}

// The distance from (x, y), x and y not negative, to the ellipse with half axes a >= b >= 0
// centred at the origin, by bisection on the normal's parameter.
double DistanceToEllipse(double a, double b, double x, double y) {
  if (b <= 0) return x <= a ? y : std::hypot(x - a, y);
  if (y > 0) {
    if (x <= 0) return std::abs(y - b);
    const double z0 = x / a, z1 = y / b;
    const double g = z0 * z0 + z1 * z1 - 1;
    if (g == 0) return 0;
    const double r0 = (a / b) * (a / b);
    const double n0 = r0 * z0;
    double s0 = z1 - 1, s1 = g < 0 ? 0 : std::hypot(n0, z1) - 1, s = 0;
    for (int i = 0; i < 200; ++i) {
      s = (s0 + s1) / 2;
      if (s == s0 || s == s1) break;
      const double ratio0 = n0 / (s + r0), ratio1 = z1 / (s + 1);
      const double h = ratio0 * ratio0 + ratio1 * ratio1 - 1;
      if (h > 0) {
        s0 = s;
      } else if (h < 0) {
        s1 = s;
      } else {
        break;
      }
    }
    return std::hypot(r0 * x / (s + r0) - x, y / (s + 1) - y);
  }
  const double numer = a * x, denom = a * a - b * b;
  if (numer < denom) {
    const double xd = numer / denom;
    return std::hypot(a * xd - x, b * std::sqrt(std::max(0.0, 1 - xd * xd)));
  }
  return std::abs(x - a);
}

// EllipseDistance, or some value above limit as soon as the point is known to be farther.
int64_t EllipseDistanceWithin(Point c, Point p, Point d, Point q, int64_t limit) {
  const double a = DistanceOf(c, p);
  const Point f = ProjectOntoLine(c, p, q).foot;
  const double b = DistanceOf(q, f);
  if (RoundToInt32(a) == RoundToInt32(b)) {
    return std::abs(int64_t{RoundToInt32(DistanceOf(c, d))} - RoundToInt32(a));
  }
  const double big = std::max(a, b), small = std::min(a, b);
  // The outline lies between the circles of its two half axes.
  const double fromCentre = DistanceOf(c, d);
  const double reach = static_cast<double>(limit) + 1;
  if (fromCentre - big > reach || small - fromCentre > reach) return limit + 1;
  const double phi = a > b ? AngleOf(c, p) : AngleOf(f, q);
  // d in the ellipse's own axes: along the major axis and across it.
  const double ux = std::cos(phi), uy = -std::sin(phi);
  const double dx = double(d.x) - c.x, dy = double(d.y) - c.y;
  const double along = std::abs(dx * ux + dy * uy);
  const double across = std::abs(dy * ux - dx * uy);
  return RoundToInt32(DistanceToEllipse(big, small, along, across));
}

int64_t ArcDistanceWithin(int32_t kind, Point c, Point s, Point e, Point d, int64_t limit) {
  int64_t best = kNoArcDistance;
  if (kind == kKindPie) {
    for (auto t : {SegDistance(c, e, d), SegDistance(c, s, d)}) {
      if (t) best = std::min(best, Rounded(*t));
    }
  }
  const double r = DistanceOf(c, s);
  // Every sample lies within a pixel of the circle; skip them when none can come as close.
  if (std::abs(DistanceOf(c, d) - r) - 2 > static_cast<double>(std::min(best, limit))) {
    return best;
  }
  const ArcSamples samples(c, s, e);
  for (int32_t j = 1; j <= samples.count - 2; ++j) {
    best = std::min(best, Rounded(DistanceOf(PolarPoint(c, r, samples.AngleAt(j)), d)));
  }
  return best;
}

// The mean of two directions: a, turned halfway towards b the short way round.
double MeanDirection(double a, double b) {
  double diff = b - a;
  while (diff > kPi)
    diff -= 2 * kPi;
  while (diff < -kPi)
    diff += 2 * kPi;
  return a + diff / 2;
}

bool IsPolygonOrStar(int32_t kind) {
  return kind == kKindPolygon || kind == kKindStar;
}

// The outline's consecutive point pairs: polygons and stars without their centre entry, closed
// styles with the pair (last, first).
template <class F>
void ForEachPair(const ItemRecord& item, F&& f) {
  const auto& pts = item.points;
  const std::size_t first = IsPolygonOrStar(item.kind()) ? 1 : 0;
  if (pts.size() <= first) return;
  for (std::size_t k = first; k + 1 < pts.size(); ++k)
    f(pts[k], pts[k + 1]);
  if (item.shapeStyle() == 1 || item.shapeStyle() == 2) f(pts.back(), pts[first]);
}

// Pairs farther than reach are left out: they cannot come nearer than the limit.
std::optional<int64_t> PairsDistance(const ItemRecord& item, Point d, int64_t w, double reach) {
  std::optional<int64_t> best;
  const bool curve = item.kind() == kKindCurve;
  ForEachPair(item, [&](const PointEntry& p, const PointEntry& q) {
    // A curve's pulled points lie within its control points' distances of its ends.
    const double grow =
        curve ? std::max(DistanceOf(p.point, p.handleIn), DistanceOf(q.point, p.handleOut)) + 1 : 1;
    if (Beyond(p.point, q.point, grow, d, reach)) return;
    std::optional<double> t;
    if (curve) {
      t = CurveSegmentDistance(p, q, d);
    } else {
      t = EitherWay(p.point, q.point, d);
    }
    if (t) best = std::min(best.value_or(INT64_MAX), Trim(Rounded(*t), w));
  });
  return best;
}

std::array<Point, 4> PictureCorners(const ItemRecord& item) {
  std::array<Point, 4> corners = {
      Point{item.boundLeft(), item.boundTop()}, Point{item.boundRight(), item.boundTop()},
      Point{item.boundRight(), item.boundBottom()}, Point{item.boundLeft(), item.boundBottom()}};
  if (item.rotation() != 0) {
    const Point centre = ItemCentre(item);
    for (Point& p : corners)
      p = RotatePoint(p, centre, item.rotation());
  }
  return corners;
}

bool InsideQuad(const Quad& q, Point d) {
  bool anyPositive = false, anyNegative = false;
  for (int i = 0; i < 4; ++i) {
    const Point a = q[i], b = q[(i + 1) % 4];
    const double cross =
        (double(b.x) - a.x) * (double(d.y) - a.y) - (double(b.y) - a.y) * (double(d.x) - a.x);
    anyPositive |= cross > 0;
    anyNegative |= cross < 0;
  }
  return !(anyPositive && anyNegative);
}

// The text block used for picking: its band at the window's zoom, in document pixels.
bool InsideTextBlock(const ItemRecord& item, Point d, const GeometryContext& context) {
  if (context.text == nullptr || !(context.zoom > 0)) return false;
  const FontMetrics m = context.text->Measure(item, context.zoom);
  const int lines = std::max(LineCount(item), 1);
  const double height =
      double(lines) * m.ascent + double(lines - 1) * (double(m.descent) + m.externalLeading);
  return InsideQuad(TextBand(item, m.descent / context.zoom, height / context.zoom), d);
}

std::optional<int64_t> DistanceWithin(const ItemRecord& item, Point d,
                                      const GeometryContext& context, int64_t limit) {
  const Point p1{item.x1(), item.y1()}, p2{item.x2(), item.y2()};
  const int64_t halfPen = PixelWidth(context.zoom, item.lineWeight(), context.screen) / 2;
  const int64_t w = RoundToInt32(item.lineWeight() * context.screen.PxPerMmX());
  const Point c = PointAt(item.points, 1), s = PointAt(item.points, 2);
  const Point e = PointAt(item.points, 3);
  switch (item.kind()) {
    case kKindLine:
      if (auto t = SegDistance(p1, p2, d)) return Trim(Rounded(*t), w);
      return std::nullopt;
    case kKindText: {
      std::optional<int64_t> t;
      if (auto baseline = SegDistance(p1, p2, d)) t = Rounded(*baseline);
      if (InsideTextBlock(item, d, context)) t = 1;
      return t;
    }
    case kKindTriangle:
    case kKindSquare:
    case kKindRectangle:
    case kKindSpline:
    case kKindCurve:
    case kKindPolygon:
    case kKindStar:
      return PairsDistance(item, d, w, static_cast<double>(limit) + (w > 1 ? w / 2 : 0) + 2);
    case kKindCircle:
      if (item.points.size() < 2) return std::nullopt;
      return std::max<int64_t>(
          0, Rounded(std::abs(DistanceOf(c, d) - Rounded(DistanceOf(c, s))) - halfPen));
    case kKindEllipse:
      if (item.points.size() < 3) return std::nullopt;
      return std::max<int64_t>(0, EllipseDistanceWithin(c, s, d, e, limit + halfPen) - halfPen);
    case kKindPie:
    case kKindArc:
      if (item.points.size() < 3) return std::nullopt;
      return std::max<int64_t>(
          0, ArcDistanceWithin(item.kind(), c, s, e, d, limit + halfPen) - halfPen);
    case kKindPicture: {
      if (item.clipShape() == 2) {
        return std::abs(Rounded(DistanceOf(p1, p2)) - Rounded(DistanceOf(p1, d)));
      }
      // Turned or not, the sides stay within half the box's diagonal of its centre.
      const double halfDiagonal =
          DistanceOf({item.boundLeft(), item.boundTop()}, {item.boundRight(), item.boundBottom()}) /
          2;
      if (DistanceOf(ItemCentre(item), d) - halfDiagonal - 2 > static_cast<double>(limit)) {
        return limit + 1;
      }
      const auto corners = PictureCorners(item);
      std::optional<int64_t> best;
      for (int i = 0; i < 4; ++i) {
        if (auto t = SegDistance(corners[i], corners[(i + 1) % 4], d)) {
          best = std::min(best.value_or(INT64_MAX), Rounded(*t));
        }
      }
      return best;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace

std::optional<int32_t> SegmentDistance(Point a, Point b, Point d) {
  if (auto t = SegDistance(a, b, d)) return RoundToInt32(*t);
  return std::nullopt;
}

int32_t EllipseDistance(Point c, Point p, Point d, Point q) {
  return ClampToInt32(EllipseDistanceWithin(c, p, d, q, kNoArcDistance));
}

int32_t ArcDistance(int32_t kind, Point c, Point s, Point e, Point d) {
  return ClampToInt32(ArcDistanceWithin(kind, c, s, e, d, kNoArcDistance));
}

int32_t CurveSegmentDistance(const PointEntry& p, const PointEntry& q, Point d) {
  const Point c1 = p.handleIn, c2 = p.handleOut;
  const Point a = PolarPoint(p.point, DistanceOf(p.point, c1),
                             MeanDirection(AngleOf(p.point, c1), AngleOf(p.point, q.point)));
  const Point b = PolarPoint(q.point, DistanceOf(q.point, c2),
                             MeanDirection(AngleOf(q.point, c2), AngleOf(q.point, p.point)));
  double best = std::min(DistanceOf(p.point, d), DistanceOf(q.point, d));
  if (auto t = EitherWay(a, b, d)) best = std::min(best, *t);
  return RoundToInt32(best);
}

std::optional<int32_t> OutlineDistance(const ItemRecord& item, Point d,
                                       const GeometryContext& context) {
  if (auto t = DistanceWithin(item, d, context, kNoArcDistance)) return ClampToInt32(*t);
  return std::nullopt;
}

ItemRecord* ChoosePickedItem(const ItemList& list, Point d, const GeometryContext& context) {
  int64_t best = context.PickTolerance();
  int32_t bestLevel = 0;
  ItemRecord* found = nullptr;
  for (ItemRecord& r : list) {
    if (r.recordClass() != kClassContent || r.setAside() != 0 || r.hidden() != 0) continue;
    const std::optional<int64_t> t = DistanceWithin(r, d, context, best);
    if (!t) continue;
    if (r.kind() == kKindPicture && r.clipShape() == 2) {
      // Round pictures win only when strictly nearer and leave the level as it was.
      if (*t < best) best = *t, found = &r;
    } else if (*t < best || (*t == best && bestLevel < r.stackLevel())) {
      best = *t;
      bestLevel = r.stackLevel();
      found = &r;
    }
  }
  return found;
}

namespace {

// Even-odd rule: whether d lies inside the closed polygon through the points.
bool InsidePolygon(std::span<const Point> points, Point d) {
  bool inside = false;
  for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
    const Point a = points[i], b = points[j];
    if ((a.y > d.y) == (b.y > d.y)) continue;
    const double x = a.x + (double(d.y) - a.y) * (double(b.x) - a.x) / (double(b.y) - a.y);
    if (d.x < x) inside = !inside;
  }
  return inside;
}

// The Bezier chain (a start, then three points a segment) as a polygon of 16 steps a segment.
std::vector<Point> FlattenedChain(const std::vector<Point>& chain) {
  std::vector<Point> points;
  if (chain.empty()) return points;
  points.push_back(chain[0]);
  for (std::size_t k = 0; k + 3 < chain.size(); k += 3) {
    const Point p0 = chain[k], p1 = chain[k + 1], p2 = chain[k + 2], p3 = chain[k + 3];
    for (int step = 1; step <= 16; ++step) {
      const double t = step / 16.0, u = 1 - t;
      const double x = u * u * u * p0.x + 3 * u * u * t * p1.x + 3 * u * t * t * p2.x + t * t * t * p3.x;
      const double y = u * u * u * p0.y + 3 * u * u * t * p1.y + 3 * u * t * t * p2.y + t * t * t * p3.y;
      points.push_back({RoundToInt32(x), RoundToInt32(y)});
    }
  }
  return points;
}

// Whether d lies inside the picture's frame, or inside the filled body of a shape.
bool InsideItem(const ItemRecord& item, Point d) {
  if (item.kind() == kKindPicture) {
    const Point c{item.x1(), item.y1()};
    if (item.clipShape() == 2) return DistanceOf(c, d) <= DistanceOf(c, {item.x2(), item.y2()});
    return InsideQuad(PictureCorners(item), d);
  }
  if (!IsPointListKind(item.kind()) || item.fillColor() == kFillClear) return false;
  Outline outline;
  BuildOutline(item, TargetMapping::Document(), outline);
  if (!outline.fillable) return false;
  switch (outline.form) {
    case OutlineForm::Polygon:
      return outline.points.size() >= 3 && InsidePolygon(outline.points, d);
    case OutlineForm::Circle:
      return DistanceOf(outline.centre, d) <= outline.radius;
    case OutlineForm::Bezier: {
      const std::vector<Point> polygon = FlattenedChain(outline.points);
      return polygon.size() >= 3 && InsidePolygon(polygon, d);
    }
    default:
      return false;
  }
}

}  // namespace

ItemRecord* ChooseItemUnder(const ItemList& list, Point d) {
  ItemRecord* found = nullptr;
  for (ItemRecord& r : list) {
    // Only what is drawn counts: records below level 1 are not.
    if (r.recordClass() != kClassContent || r.setAside() != 0 || r.hidden() != 0 ||
        r.stackLevel() < 1) {
      continue;
    }
    if (found != nullptr && r.stackLevel() <= found->stackLevel()) continue;
    if (InsideItem(r, d)) found = &r;
  }
  return found;
}

void SelectGroupMates(ItemList& list, const ItemRecord& item, bool select) {
  if (item.groupNumber() == 0) return;
  for (ItemRecord& r : list) {
    if (&r != &item && r.recordClass() == kClassContent && r.hidden() == 0 &&
        r.groupNumber() == item.groupNumber()) {
      r.setSelected(select ? 255 : 0);
    }
  }
}

void ApplyPick(ItemList& list, ItemRecord* picked, bool add) {
  if (!add) {
    SelectOnly(list, picked);
  } else if (picked != nullptr) {
    picked->setSelected(picked->selected() != 0 ? 0 : 255);
  }
  if (picked != nullptr) SelectGroupMates(list, *picked, picked->selected() != 0);
}

ItemRecord* PickItem(ItemList& list, Point click, Point scroll, bool add,
                     const GeometryContext& context) {
  ItemRecord* picked =
      ChoosePickedItem(list, ToDocumentPoint(click, context.zoom, scroll), context);
  ApplyPick(list, picked, add);
  return picked;
}

namespace {

// Whether segment ab meets the horizontal edge y = level between from and to (from <= to);
// a segment along the edge meets it where their ranges overlap.
bool CrossesRow(PointF a, PointF b, double level, double from, double to) {
  if (a.y == b.y) {
    return a.y == level && std::max(a.x, b.x) >= from && std::min(a.x, b.x) <= to;
  }
  if (level < std::min(a.y, b.y) || level > std::max(a.y, b.y)) return false;
  const double x = a.x + (level - a.y) * (b.x - a.x) / (b.y - a.y);
  return x >= from && x <= to;
}

bool CrossesBox(Point a, Point b, const BoundingBox& box) {
  const PointF fa{double(a.x), double(a.y)}, fb{double(b.x), double(b.y)};
  const PointF ta{fa.y, fa.x}, tb{fb.y, fb.x};  // transposed, so columns become rows
  return CrossesRow(fa, fb, box.top, box.left, box.right) ||
         CrossesRow(fa, fb, box.bottom, box.left, box.right) ||
         CrossesRow(ta, tb, box.left, box.top, box.bottom) ||
         CrossesRow(ta, tb, box.right, box.top, box.bottom);
}

bool QuadCrosses(const Quad& q, const BoundingBox& box) {
  for (int i = 0; i < 4; ++i) {
    if (CrossesBox(q[i], q[(i + 1) % 4], box)) return true;
  }
  return false;
}

}  // namespace

bool InArea(const BoundingBox& area, const ItemRecord& item, bool partial,
            const GeometryContext& context) {
  if (item.recordClass() != kClassContent || item.hidden() != 0 || item.setAside() != 0) {
    return false;
  }
  const BoundingBox box{std::min(area.left, area.right), std::min(area.top, area.bottom),
                        std::max(area.left, area.right), std::max(area.top, area.bottom)};
  if (item.boundLeft() >= box.left && item.boundRight() <= box.right &&
      item.boundTop() >= box.top && item.boundBottom() <= box.bottom) {
    return true;
  }
  if (!partial) return false;
  const Point p1{item.x1(), item.y1()}, p2{item.x2(), item.y2()};
  switch (item.kind()) {
    case kKindLine:
      return CrossesBox(p1, p2, box);
    case kKindText: {
      if (context.text == nullptr) return CrossesBox(p1, p2, box);
      const FontMetrics m = context.text->Measure(item, 1.0);
      const double height =
          std::max(LineCount(item), 1) * (double(m.ascent) + m.descent + m.externalLeading) + 2;
      return QuadCrosses(TextBand(item, m.descent, height), box);
    }
    case kKindPicture: {
      const auto corners = PictureCorners(item);
      return QuadCrosses({corners[0], corners[1], corners[2], corners[3]}, box);
    }
    default:
      break;
  }
  if (!IsPointListKind(item.kind())) return false;
  bool crosses = false;
  ForEachPair(item, [&](const PointEntry& p, const PointEntry& q) {
    crosses = crosses || CrossesBox(p.point, q.point, box);
  });
  return crosses;
}

}  // namespace quillon
