// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Outlines.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "render/Curves.h"
#include "render/Transforms.h"

namespace quillon {
namespace {

constexpr double kPi = std::numbers::pi;

void Add(std::vector<PointEntry>& points, Point p) {
  PointEntry& entry = NewPoint(points);
  entry.point = entry.pointAtDragStart = p;
}

int64_t Diff(int32_t a, int32_t b) {
  return int64_t{a} - b;
}

}  // namespace

Projection ProjectOntoLine(Point a, Point b, Point p) {
  Projection r;
  if (std::abs(Diff(a.x, b.x)) <= 2) {
    r.foot = {a.x, p.y};
  } else {
    const double m = static_cast<double>(Diff(a.y, b.y)) / static_cast<double>(Diff(a.x, b.x));
    if (a.y == b.y || std::abs(m) < 0.0001) {
      r.foot = {p.x, a.y};
    } else {
      const double o = -1 / m;
      const double t = a.y - m * a.x;
      const double fx = ((p.y - o * p.x) - t) / (m - o);
      r.foot = {RoundToInt32(fx), RoundToInt32(t + m * fx)};
    }
  }
  const auto within = [](int32_t v, int32_t e1, int32_t e2) {
    return e1 == e2 || (v >= std::min(e1, e2) && v <= std::max(e1, e2));
  };
  r.between = within(r.foot.x, a.x, b.x) && within(r.foot.y, a.y, b.y);
  return r;
}

void SquareFromSide(Point a, Point b, std::vector<PointEntry>& points) {
  const double theta = AngleOf(a, b);
  const double s = DistanceOf(a, b);
  ClearPoints(points);
  for (Point p : {a, b, PolarPoint(b, s, theta + kPi / 2), PolarPoint(a, s, theta + kPi / 2)}) {
    Add(points, p);
  }
}

void RectangleFromSide(Point a, Point b, Point cursor, std::vector<PointEntry>& points) {
  double phi = AngleOf(a, b) + kPi / 2;
  if (phi >= 2 * kPi) phi -= 2 * kPi;
  const Point c = ConstrainToDirection(b, cursor, phi * 180 / kPi);
  const Point d = PolarPoint(c, DistanceOf(a, b), phi + kPi / 2);
  ClearPoints(points);
  for (Point p : {a, b, c, d})
    Add(points, p);
}

void CircleFromClicks(Point centre, Point rim, std::vector<PointEntry>& points) {
  const double theta = AngleOf(centre, rim);
  const double r = DistanceOf(centre, rim);
  ClearPoints(points);
  for (Point p :
       {centre, rim, PolarPoint(rim, r, theta + kPi / 2), PolarPoint(centre, r, theta + kPi / 2)}) {
    Add(points, p);
  }
}

void EllipseFromClicks(Point centre, Point axisEnd, Point side, std::vector<PointEntry>& points) {
  if (axisEnd == centre) axisEnd.y = ClampToInt32(int64_t{axisEnd.y} + 10);
  ClearPoints(points);
  for (Point p : {centre, axisEnd, side})
    Add(points, p);
}

bool PolygonVertices(Point centre, Point p, int32_t n, std::vector<PointEntry>& points) {
  ClearPoints(points);
  Add(points, centre);
  Add(points, p);
  if (!ValidSides(n)) return false;
  const double theta0 = AngleOf(centre, p);
  const double r = DistanceOf(centre, p);
  points.reserve(points.size() + n);
  for (int32_t k = 1; k <= n; ++k)
    Add(points, PolarPoint(centre, r, theta0 + k * 2 * kPi / n));
  return true;
}

bool StarVertices(Point centre, Point inner, int32_t n, Point tip,
                  std::vector<PointEntry>& points) {
  ClearPoints(points);
  Add(points, centre);
  Add(points, tip);
  if (!ValidSides(n)) {
    Add(points, inner);  // keeps the inner radius for a later valid count
    return false;
  }
  const double theta0 = AngleOf(centre, tip);
  const double rIn = DistanceOf(centre, inner);
  const double rOut = DistanceOf(centre, tip);
  points.reserve(points.size() + 2 * std::size_t(n));
  for (int32_t k = 1; k <= 2 * n; ++k) {
    Add(points, PolarPoint(centre, k % 2 == 1 ? rIn : rOut, theta0 + k * kPi / n));
  }
  return true;
}

void ArcFromClicks(Point centre, Point start, Point third, std::vector<PointEntry>& points) {
  const Point end = PolarPoint(centre, DistanceOf(centre, start), AngleOf(centre, third));
  ClearPoints(points);
  for (Point p : {centre, start, end})
    Add(points, p);
}

ArcSamples::ArcSamples(Point c, Point s, Point e) : start(AngleOf(c, s)), end(AngleOf(c, e)) {
  if (start > end) end += 2 * kPi;
  sweep = end - start;
  if (sweep > 2 * kPi) sweep -= 2 * kPi;
  count = std::max(2, RoundToInt32(sweep / (kPi / 200)));
}

void ArcPoints(Point c, Point s, Point e, std::vector<Point>& out) {
  const ArcSamples samples(c, s, e);
  const double r = DistanceOf(c, s);
  out.clear();
  out.push_back(s);
  for (int32_t j = 1; j <= samples.count - 2; ++j) {
    const Point p = PolarPoint(c, r, samples.AngleAt(j));
    if (p != out.back()) out.push_back(p);
  }
  out.push_back(PolarPoint(c, r, samples.end));
}

EllipseChain EllipseBezier(Point c, Point p, Point q) {
  const double theta = AngleOf(c, p);
  const int64_t rx = RoundToInt32(DistanceOf(c, p));
  const int64_t ry = RoundToInt32(DistanceOf(q, ProjectOntoLine(c, p, q).foot));
  const int64_t kx = RoundToInt32(2 * rx * kEllipseHandleFactor);
  const int64_t ky = RoundToInt32(2 * ry * kEllipseHandleFactor);
  const auto at = [&](int64_t dx, int64_t dy) {
    return Point{ClampToInt32(c.x + dx), ClampToInt32(c.y + dy)};
  };
  const Point flat[13] = {at(-rx, 0),  at(-rx, -ky), at(-kx, -ry), at(0, -ry), at(kx, -ry),
                          at(rx, -ky), at(rx, 0),    at(rx, ky),   at(kx, ry), at(0, ry),
                          at(-kx, ry), at(-rx, ky),  at(-rx, 0)};
  EllipseChain chain;
  for (int i = 0; i < 13; ++i) {
    chain.points[i] = PolarPoint(c, DistanceOf(c, flat[i]), AngleOf(c, flat[i]) + theta);
  }
  chain.box = {chain.points[0].x, chain.points[0].y, chain.points[0].x, chain.points[0].y};
  for (Point pt : chain.points) {
    chain.box.left = std::min(chain.box.left, pt.x);
    chain.box.top = std::min(chain.box.top, pt.y);
    chain.box.right = std::max(chain.box.right, pt.x);
    chain.box.bottom = std::max(chain.box.bottom, pt.y);
  }
  return chain;
}

namespace {

// Triangles, boxes and splines: by shape style a filled polygon, a closed or an open polyline.
void ListOutline(const ItemRecord& item, const TargetMapping& map, Outline& out) {
  const auto& points = item.points;
  if (points.size() < 2) return;
  for (const PointEntry& e : points)
    out.points.push_back(map.Map(e.point));
  if (points.size() == 2) {
    out.form = OutlineForm::Polyline;
  } else if (item.shapeStyle() == 2) {
    out.form = OutlineForm::Polygon;
    out.fillable = true;
  } else {
    out.form = OutlineForm::Polyline;
    if (item.shapeStyle() == 1 && out.points.back() != out.points.front()) {
      out.points.push_back(out.points.front());
    }
  }
}

void PolygonOutline(const ItemRecord& item, const TargetMapping& map, Outline& out) {
  const int32_t n = item.sides();
  if (!ValidSides(n) || item.points.size() < 2) return;
  const Point c = map.Map(item.points[0].point);
  const Point p = map.Map(item.points[1].point);
  const double theta0 = AngleOf(c, p);
  const double r = DistanceOf(c, p);
  out.points.push_back(p);
  for (int32_t k = 1; k < n; ++k)
    out.points.push_back(PolarPoint(c, r, theta0 + k * 2 * kPi / n));
  out.form = OutlineForm::Polygon;
  out.fillable = true;
}

void StarOutline(const ItemRecord& item, const TargetMapping& map, Outline& out) {
  const int32_t n = item.sides();
  if (!ValidSides(n) || item.points.size() < 3) return;
  const Point c = map.Map(item.points[0].point);
  const Point tip = map.Map(item.points[1].point);
  const double theta0 = AngleOf(c, tip);
  const double rIn = DistanceOf(c, map.Map(item.points[2].point));
  const double rOut = DistanceOf(c, tip);
  out.points.push_back(tip);
  for (int32_t k = 1; k < 2 * n; ++k) {
    out.points.push_back(PolarPoint(c, k % 2 == 1 ? rIn : rOut, theta0 + k * kPi / n));
  }
  out.form = OutlineForm::Polygon;
  out.fillable = true;
}

void ArcOutline(const ItemRecord& item, const TargetMapping& map, Outline& out) {
  if (item.points.size() < 3) return;
  const Point c = map.Map(item.points[0].point);
  const Point s = map.Map(item.points[1].point);
  ArcPoints(c, s, map.Map(item.points[2].point), out.points);
  if (item.kind() == kKindPie) {
    out.points.push_back(c);
    out.points.push_back(s);
    out.form = OutlineForm::Polygon;
    out.fillable = true;
  } else {
    out.form = OutlineForm::Polyline;
  }
}

void CurveOutline(const ItemRecord& item, const TargetMapping& map, Outline& out) {
  const auto& points = item.points;
  if (points.size() < 2) return;
  if (points.size() == 2) {
    out.points.push_back(map.Map(points[0].point));
    out.points.push_back(map.Map(points[1].point));
    out.form = OutlineForm::Polyline;
    return;
  }
  // Each kept point is followed by its two control points when another point follows; an
  // entry that repeats the previous entry's point is left out with its control points.
  Point previous = map.Map(points[0].point);
  out.points.push_back(previous);
  std::size_t kept = 0;
  for (std::size_t k = 1; k < points.size(); ++k) {
    const Point p = map.Map(points[k].point);
    if (p == previous) continue;
    previous = p;
    out.points.push_back(map.Map(points[kept].handleIn));
    out.points.push_back(map.Map(points[kept].handleOut));
    out.points.push_back(p);
    kept = k;
  }
  if (item.shapeStyle() == 1 || item.shapeStyle() == 2) {
    out.points.push_back(map.Map(points.back().handleIn));
    out.points.push_back(map.Map(points.back().handleOut));
    out.points.push_back(out.points.front());
  }
  if (out.points.size() < 4) {
    out.points.clear();
    return;
  }
  out.form = OutlineForm::Bezier;
  out.fillable = item.shapeStyle() == 2;
}

}  // namespace

void BuildOutline(const ItemRecord& item, const TargetMapping& map, Outline& out) {
  out.form = OutlineForm::None;
  out.fillable = false;
  out.points.clear();
  out.centre = {};
  out.radius = 0;
  switch (item.kind()) {
    case kKindTriangle:
    case kKindSquare:
    case kKindRectangle:
    case kKindSpline:
      ListOutline(item, map, out);
      break;
    case kKindCircle:
      if (item.points.size() >= 2) {
        out.centre = map.Map(item.points[0].point);
        out.radius = RoundToInt32(DistanceOf(out.centre, map.Map(item.points[1].point)));
        out.form = OutlineForm::Circle;
        out.fillable = true;
      }
      break;
    case kKindEllipse:
      if (item.points.size() >= 3) {
        const EllipseChain chain =
            EllipseBezier(map.Map(item.points[0].point), map.Map(item.points[1].point),
                          map.Map(item.points[2].point));
        out.points.assign(chain.points.begin(), chain.points.end());
        out.form = OutlineForm::Bezier;
        out.fillable = true;
      }
      break;
    case kKindPolygon:
      PolygonOutline(item, map, out);
      break;
    case kKindStar:
      StarOutline(item, map, out);
      break;
    case kKindPie:
    case kKindArc:
      ArcOutline(item, map, out);
      break;
    case kKindCurve:
      CurveOutline(item, map, out);
      break;
    default:
      break;
  }
}

}  // namespace quillon
