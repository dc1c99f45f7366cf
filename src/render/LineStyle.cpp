// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/LineStyle.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "render/Coordinates.h"

namespace quillon {
namespace {

constexpr double kPi = std::numbers::pi;

bool Near(double a, double b) {
  return std::abs(a - b) < 0.0001;
}

Point RoundPoint(double x, double y) {
  return {RoundToInt32(x), RoundToInt32(y)};
}

DashPattern Pattern(std::initializer_list<int64_t> lengths) {
  DashPattern p;
  p.count = static_cast<int32_t>(lengths.size());
  int i = 0;
  for (int64_t length : lengths)
    p.pixels[i++] = ClampToInt32(length);
  return p;
}

// Length of pattern slot i in pixels; slots past the count (the gap after an odd count) are 0.
int64_t Slot(const DashPattern& p, int i) {
  return i < p.count ? std::max<int64_t>(0, p.pixels[i]) : 0;
}

}  // namespace

DashPattern BuiltInPattern(int32_t number, double weightMm, double scale,
                           const ScreenMetrics& screen) {
  const int64_t u = std::max(1, RoundToInt32(weightMm * screen.PxPerMmY()));
  const int64_t a = RoundToInt32(static_cast<double>(u) * scale);
  const int64_t l = 6 * a > 4 ? 6 * a : 6;
  const int64_t g2 = 2 * a > 0 ? 2 * a : 2;
  const int64_t g3 = 2 * a > 2 ? 2 * a : 3;
  switch (number) {
    case kPatternDot:
      return Pattern({std::max<int64_t>(a, 1), std::max<int64_t>(2 * a, 1)});
    case kPatternDash:
      return Pattern({l, g2});
    case kPatternCenter:
      return Pattern({l, g3, g2, g3});
    case kPatternPhantom:
      return Pattern({l, g3, g2, g3, g2, g3});
    default:
      return Pattern({kSolidDashLength});
  }
}

DashPattern BuildPattern(const ItemList& list, const ItemRecord& line, double scale) {
  const int32_t number = line.linePattern();
  if (number >= 0) return BuiltInPattern(number, line.lineWeight(), scale, list.screen());
  for (const ItemRecord& r : list) {
    if (r.recordClass() != kClassLinePattern || r.kind() != number) continue;
    // A record without segments draws solid; more than twelve are cut to twelve.
    if (r.patternCount() < 1) break;
    DashPattern p;
    p.count = std::min(r.patternCount(), kPatternSegments);
    p.pixels = {};
    for (int i = 0; i < p.count; ++i) {
      p.millimetres[i] = r.patternSegment(i);
      int32_t px = RoundToInt32(list.screen().PxPerMmX() * p.millimetres[i]);
      if (scale != 1.0) px = RoundToInt32(px * scale);
      p.pixels[i] = std::max(0, px);  // a negative length would walk backwards
    }
    return p;
  }
  return Pattern({kSolidDashLength});
}

Quad DashBand(PointF s, PointF e, double w, double theta, bool oneSided) {
  const double d = oneSided ? w : RoundToInt32(w / 2);
  const double f = oneSided ? 0.0 : w - d;
  if (Near(theta, 0)) {
    return {RoundPoint(s.x, s.y - d), RoundPoint(e.x, e.y - d), RoundPoint(e.x, e.y + f),
            RoundPoint(s.x, s.y + f)};
  }
  if (Near(theta, kPi)) {
    return {RoundPoint(s.x, s.y + d), RoundPoint(e.x, e.y + d), RoundPoint(e.x, e.y - f),
            RoundPoint(s.x, s.y - f)};
  }
  if (Near(theta, kPi / 2)) {
    return {RoundPoint(s.x - d, s.y), RoundPoint(e.x - d, e.y), RoundPoint(e.x + f, e.y),
            RoundPoint(s.x + f, s.y)};
  }
  if (Near(theta, 3 * kPi / 2)) {
    return {RoundPoint(s.x + d, s.y), RoundPoint(e.x + d, e.y), RoundPoint(e.x - f, e.y),
            RoundPoint(s.x - f, s.y)};
  }
  const double b = oneSided ? w : w / 2;
  const double vx = std::cos(theta + kPi / 2);
  const double vy = -std::sin(theta + kPi / 2);
  const Point c0 = RoundPoint(s.x + b * vx, s.y + b * vy);
  const Point c1 = RoundPoint(e.x + b * vx, e.y + b * vy);
  // The inner corners start from the already rounded outer ones.
  const Point c2 = RoundPoint(c1.x - w * vx, c1.y - w * vy);
  const Point c3 = RoundPoint(c0.x - w * vx, c0.y - w * vy);
  return {c0, c1, c2, c3};
}

Quad EdgeStrip(const Quad& band, int side, double o, double theta) {
  const auto moved = [&](Point from, double phi) {
    return RoundPoint(from.x + o * std::cos(phi), from.y - o * std::sin(phi));
  };
  Quad strip = band;
  switch (side) {
    case 1:
      strip[3] = moved(band[0], theta - kPi / 2);
      strip[2] = moved(band[1], theta - kPi / 2);
      break;
    case 2:
      strip[0] = moved(band[1], theta + kPi);
      strip[3] = moved(band[2], theta + kPi);
      break;
    case 3:
      strip[0] = moved(band[3], theta + kPi / 2);
      strip[1] = moved(band[2], theta + kPi / 2);
      break;
    default:
      strip[1] = moved(band[0], theta);
      strip[2] = moved(band[3], theta);
      break;
  }
  return strip;
}

StepResult StepAlong(Point start, double t, double theta, Point end) {
  const Point p = PolarPoint(start, t, theta);
  if (DistanceOf(start, p) >= DistanceOf(start, end)) return {end, true};
  return {p, false};
}

LineBand LineBandOf(const ItemRecord& line, int32_t w, int32_t o, const ScreenMetrics& screen) {
  LineBand band;
  if (line.fillColor() == -2) {
    band.bandColor = line.lineColor();
  } else if (line.fillColor() != -1) {
    band.bandColor = line.fillColor();
  }
  const bool solid = 2 * int64_t{o} >= w || line.lineWeight() < 0.0001 ||
                     2 * int64_t{PixelWidth(1, line.lineOutlineWeight(), screen)} >=
                         PixelWidth(1, line.lineWeight(), screen);
  if (solid) {
    band.bandColor = line.lineColor();
  } else {
    band.edgeWidth = o;
  }
  return band;
}

namespace {

// The part of the ray from p in direction theta whose dashes of width w can reach the box: the
// box's extent along the ray, and nothing when the box lies beyond half the band on either
// side. A few pixels more cover the rounding of dash ends and corners.
bool VisibleStretch(Point p, double theta, double w, const BoundingBox& box, double& lo,
                    double& hi) {
  const double dx = std::cos(theta), dy = -std::sin(theta);
  double acrossMin = std::numeric_limits<double>::infinity(), acrossMax = -acrossMin;
  lo = std::numeric_limits<double>::infinity();
  hi = -lo;
  for (int32_t x : {box.left, box.right}) {
    for (int32_t y : {box.top, box.bottom}) {
      const double rx = double(x) - p.x, ry = double(y) - p.y;
      const double along = rx * dx + ry * dy, across = ry * dx - rx * dy;
      lo = std::min(lo, along - 3);
      hi = std::max(hi, along + 3);
      acrossMin = std::min(acrossMin, across);
      acrossMax = std::max(acrossMax, across);
    }
  }
  const double reach = w / 2 + 3;
  return acrossMin <= reach && acrossMax >= -reach;
}

}  // namespace

void WalkDashes(Point p1, Point p2, double theta, int32_t w, const DashPattern& pattern,
                const BoundingBox& visible, std::vector<Dash>& dashes) {
  dashes.clear();
  if (!std::isfinite(theta)) theta = AngleOf(p1, p2);
  DashPattern steps = pattern;
  steps.count = std::clamp(pattern.count, 1, kPatternSegments);
  int64_t period = 0;
  for (int i = 0; i < steps.count; i += 2)
    period += Slot(steps, i) + Slot(steps, i + 1);
  if (period <= 0) {
    // A pattern without length would never advance: draw the line as one dash.
    steps = DashPattern{};
    period = kSolidDashLength;
  }
  double lo = 0, hi = 0;
  if (!VisibleStretch(p1, theta, w, visible, lo, hi)) return;
  // Skip whole patterns that end before the visible part, but never up to the line's end, so
  // that the walk after the jump is exactly the walk from the start.
  int64_t t = 0;
  const double skippable = std::min(lo, DistanceOf(p1, p2) - 2);
  if (skippable > static_cast<double>(period)) {
    t = static_cast<int64_t>(std::floor(skippable / static_cast<double>(period))) * period;
  }
  Point start = t == 0 ? p1 : StepAlong(p1, static_cast<double>(t), theta, p2).point;
  for (int i = 0;; i = i + 2 < steps.count ? i + 2 : 0) {
    if (static_cast<double>(t) > hi) return;
    t += Slot(steps, i);
    const StepResult end = StepAlong(p1, static_cast<double>(t), theta, p2);
    dashes.push_back({start, end.point,
                      DashBand({double(start.x), double(start.y)},
                               {double(end.point.x), double(end.point.y)}, w, theta, false)});
    if (end.done) return;
    t += Slot(steps, i + 1);
    const StepResult next = StepAlong(p1, static_cast<double>(t), theta, p2);
    if (next.done) return;
    start = next.point;
  }
}

}  // namespace quillon
