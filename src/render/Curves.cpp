// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Curves.h"

#include <numbers>

#include "render/Coordinates.h"

namespace quillon {
namespace {

constexpr double kPi = std::numbers::pi;

// The handles around entry s between r and n: s's first control point, and r's second
// control point, which arrives at s.
void BisectorHandles(PointEntry& r, PointEntry& s, const PointEntry& n, double f) {
  const double a = AngleOf(s.point, r.point);
  double d = AngleOf(s.point, n.point) - a;
  if (d < 0) d += 2 * kPi;
  const double beta = a + d / 2;
  const double toNext = DistanceOf(s.point, n.point);
  const double toPrevious = DistanceOf(r.point, s.point);
  s.handleIn = PolarPoint(s.point, f * toNext, beta + kPi / 2);
  r.handleOut = PolarPoint(s.point, f * toPrevious, beta - kPi / 2);
}

}  // namespace

void CurveHandles(std::vector<PointEntry>& points, double factor) {
  for (std::size_t k = 1; k + 1 < points.size(); ++k) {
    BisectorHandles(points[k - 1], points[k], points[k + 1], factor);
  }
}

void CurveEndsOpen(std::vector<PointEntry>& points, double factor) {
  if (points.size() < 2) return;
  PointEntry& first = points.front();
  const Point next = points[1].point;
  first.handleIn =
      PolarPoint(first.point, factor * DistanceOf(first.point, next), AngleOf(first.point, next));
  const Point last = points.back().point;
  PointEntry& beforeLast = points[points.size() - 2];
  beforeLast.handleOut = PolarPoint(last, factor * DistanceOf(last, beforeLast.point),
                                    AngleOf(last, beforeLast.point));
}

void CurveEndsClosed(std::vector<PointEntry>& points, double factor) {
  const std::size_t n = points.size();
  if (n < 2) return;
  BisectorHandles(points[n - 1], points[0], points[1], factor);
  BisectorHandles(points[n - 2], points[n - 1], points[0], factor);
}

void RecomputeCurveHandles(std::vector<PointEntry>& points, double factor, int32_t shapeStyle) {
  CurveHandles(points, factor);
  if (shapeStyle == 0) {
    CurveEndsOpen(points, factor);
  } else {
    CurveEndsClosed(points, factor);
  }
}

}  // namespace quillon
