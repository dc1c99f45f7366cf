// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Transforms.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "document/PageSetup.h"
#include "render/Outlines.h"
#include "render/ShapeBounds.h"

namespace quillon {
namespace {

constexpr double kPi = std::numbers::pi;

bool Near(double a, double b) {
  return std::abs(a - b) < 0.0001;
}

int32_t Shift(int32_t v, int64_t d) {
  return ClampToInt32(int64_t{v} + d);
}
int32_t Reflect(int32_t pivot, int32_t v) {
  return ClampToInt32(2 * int64_t{pivot} - v);
}

bool IsRoundPicture(const ItemRecord& r) {
  return r.kind() == kKindPicture && r.clipShape() == 2;
}

}  // namespace

void Snapshot(std::vector<PointEntry>& points) {
  for (PointEntry& e : points) {
    e.pointAtDragStart = e.point;
    e.handleInAtDragStart = e.handleIn;
    e.handleOutAtDragStart = e.handleOut;
  }
}

void TakeReference(ItemRecord& item) {
  item.setRefX1(item.x1());
  item.setRefY1(item.y1());
  item.setRefX2(item.x2());
  item.setRefY2(item.y2());
  item.setRotationAtDragStart(item.rotation());
  Snapshot(item.points);
}

void TranslatePoints(std::vector<PointEntry>& points, int32_t dx, int32_t dy) {
  const auto moved = [&](Point p) { return Point{Shift(p.x, dx), Shift(p.y, dy)}; };
  for (PointEntry& e : points) {
    e.point = moved(e.pointAtDragStart);
    e.handleIn = moved(e.handleInAtDragStart);
    e.handleOut = moved(e.handleOutAtDragStart);
  }
}

Point RotatePoint(Point snapshot, Point pivot, double angle) {
  return PolarPoint(pivot, DistanceOf(pivot, snapshot), AngleOf(pivot, snapshot) + angle);
}

void RotatePoints(std::vector<PointEntry>& points, Point pivot, double angle) {
  for (PointEntry& e : points) {
    e.point = RotatePoint(e.pointAtDragStart, pivot, angle);
    e.handleIn = RotatePoint(e.handleInAtDragStart, pivot, angle);
    e.handleOut = RotatePoint(e.handleOutAtDragStart, pivot, angle);
  }
}

void RotateSegment(ItemRecord& item, Point pivot, double angle) {
  const Point ref1{item.refX1(), item.refY1()}, ref2{item.refX2(), item.refY2()};
  const Point p1 = RotatePoint(ref1, pivot, angle);
  const Point p2 = RotatePoint(ref2, pivot, angle);
  item.setX1(p1.x);
  item.setY1(p1.y);
  item.setX2(p2.x);
  item.setY2(p2.y);
  if (item.kind() == kKindText) {
    int64_t tenths = RoundToInt32((AngleOf(ref1, ref2) + angle) * 180 / kPi * 10);
    if (tenths < 0) tenths += 3600;
    item.setTextAngle(ClampToInt32(tenths));
  }
}

void OrbitBox(ItemRecord& item, Point pivot, double angle) {
  const Point ref1{item.refX1(), item.refY1()}, ref2{item.refX2(), item.refY2()};
  // A round picture's (x1, y1) is its centre; a box's centre is the midpoint of its corners.
  const Point m = IsRoundPicture(item) ? ref1 : Midpoint(ref1, ref2);
  const Point turned = RotatePoint(m, pivot, angle);
  const int64_t dx = int64_t{turned.x} - m.x, dy = int64_t{turned.y} - m.y;
  item.setX1(Shift(ref1.x, dx));
  item.setY1(Shift(ref1.y, dy));
  item.setX2(Shift(ref2.x, dx));
  item.setY2(Shift(ref2.y, dy));
  item.setRotation(angle + item.rotationAtDragStart());
}

void MirrorPoints(std::vector<PointEntry>& points, Point pivot, int32_t kind, bool flip,
                  bool mirror) {
  const auto reflect = [&](Point current, Point snapshot) {
    return Point{mirror ? Reflect(pivot.x, snapshot.x) : current.x,
                 flip ? Reflect(pivot.y, snapshot.y) : current.y};
  };
  for (PointEntry& e : points) {
    e.point = reflect(e.point, e.pointAtDragStart);
    e.handleIn = reflect(e.handleIn, e.handleInAtDragStart);
    e.handleOut = reflect(e.handleOut, e.handleOutAtDragStart);
  }
  // A mirrored sweep runs clockwise; exchanging its ends keeps it counter-clockwise.
  if ((kind == kKindPie || kind == kKindArc) && points.size() >= 3 && (mirror != flip)) {
    std::swap(points[1], points[2]);
  }
  Snapshot(points);
}

Point ArcCentre(Point centre, Point start, Point end, bool pie) {
  const ArcSamples arc(centre, start, end);
  const double r = DistanceOf(centre, start);
  return PolarPoint(centre, pie ? 2 * r / 3 : r, arc.start + arc.sweep / 2);
}

Point ArcCentre(const ItemRecord& item) {
  return ArcCentre(PointAt(item.points, 1), PointAt(item.points, 2), PointAt(item.points, 3),
                   item.kind() == kKindPie);
}

Point MeanPoint(const std::vector<PointEntry>& points) {
  if (points.empty()) return {};
  double sumX = 0, sumY = 0;
  for (const PointEntry& e : points) {
    sumX += e.point.x;
    sumY += e.point.y;
  }
  const double n = static_cast<double>(points.size());
  return {RoundToInt32(sumX / n), RoundToInt32(sumY / n)};
}

Point ItemCentre(const ItemRecord& item, const TargetMapping& map) {
  const auto pt = [&](int n) { return map.Map(PointAt(item.points, n)); };
  switch (item.kind()) {
    case kKindTriangle: {
      const Point m = Midpoint(pt(1), pt(2));
      const Point c = pt(3);
      return {Shift(m.x, RoundToInt32((double(c.x) - m.x) / 3)),
              Shift(m.y, RoundToInt32((double(c.y) - m.y) / 3))};
    }
    case kKindSquare:
    case kKindRectangle:
      return Midpoint(pt(1), pt(3));
    case kKindCircle:
    case kKindEllipse:
    case kKindPolygon:
    case kKindStar:
      return pt(1);
    case kKindPie:
    case kKindArc:
      return ArcCentre(pt(1), pt(2), pt(3), item.kind() == kKindPie);
    case kKindSpline:
    case kKindCurve: {
      if (item.points.empty()) return map.Map({});
      double sumX = 0, sumY = 0;
      for (const PointEntry& e : item.points) {
        const Point p = map.Map(e.point);
        sumX += p.x;
        sumY += p.y;
      }
      const double n = static_cast<double>(item.points.size());
      return {RoundToInt32(sumX / n), RoundToInt32(sumY / n)};
    }
    case kKindPicture:
      if (item.clipShape() == 2) return map.Map({item.x1(), item.y1()});
      return Midpoint(map.Map({item.boundLeft(), item.boundTop()}),
                      map.Map({item.boundRight(), item.boundBottom()}));
    case kKindGroupFrame:
      return map.Map({item.x1(), item.y1()});
    default:
      return Midpoint(map.Map({item.x1(), item.y1()}), map.Map({item.x2(), item.y2()}));
  }
}

namespace {

int32_t ToggledSign(int32_t sign) {
  return sign < 0 ? 1 : -1;
}

// Mirrors (horizontal) or flips the picture's source orientation and its clip in the source.
void MirrorPictureSource(ItemRecord& p, bool horizontal) {
  const bool sideways = p.rightAngle() == 90 || p.rightAngle() == 270;
  if (horizontal != sideways) {
    p.setMirrorSign(ToggledSign(p.mirrorSign()));
  } else {
    p.setFlipSign(ToggledSign(p.flipSign()));
  }
  const double extent = (horizontal ? p.sourceWidth() : p.sourceHeight()) / p.sourceScale();
  const auto across = [&](int32_t v) { return RoundToInt32(extent - v); };
  const bool round = p.clipShape() == 2;
  if (horizontal) {
    const int32_t left = p.clipLeft(), right = p.clipRight();
    // A round clip keeps centre (left, top) and rim (right, bottom), both mirrored so that its
    // radius stays; a rectangle's edges exchange.
    p.setClipLeft(across(round ? left : right));
    p.setClipRight(across(round ? right : left));
  } else {
    const int32_t top = p.clipTop(), bottom = p.clipBottom();
    p.setClipTop(across(round ? top : bottom));
    p.setClipBottom(across(round ? bottom : top));
  }
}

void TurnPicture(ItemRecord& p, int turn) {
  int64_t angle = int64_t{p.rightAngle()} + (turn < 0 ? -90 : 90);
  if (turn < 0 && angle < 0) angle += 360;
  if (turn > 0 && angle > 360) angle -= 360;  // 360 stays and means no turn
  p.setRightAngle(ClampToInt32(angle));
  const int32_t left = p.clipLeft(), right = p.clipRight();
  p.setClipLeft(p.clipTop());
  p.setClipTop(left);
  p.setClipRight(p.clipBottom());
  p.setClipBottom(right);
  if (p.clipShape() == 2) return;  // a circle's box is the same turned
  const int64_t l = std::min(p.x1(), p.x2()), r = std::max(p.x1(), p.x2());
  const int64_t t = std::min(p.y1(), p.y2()), b = std::max(p.y1(), p.y2());
  const int64_t cx = (l + r) / 2, cy = (t + b) / 2;
  const int64_t w = r - l, h = b - t;
  p.setX1(ClampToInt32(cx - h / 2));
  p.setX2(ClampToInt32(cx - h / 2 + h));
  p.setY1(ClampToInt32(cy - w / 2));
  p.setY2(ClampToInt32(cy - w / 2 + w));
}

// Group members that are texts, lines or pictures: mirrored about pivot by their defining
// points. Texts and pictures exchange only the mirrored coordinate so that they stay readable
// and upright; lines swap their ends; a round picture mirrors its centre and rim.
void MirrorSegment(ItemRecord& m, Point pivot, bool horizontal) {
  const Point p1{m.x1(), m.y1()}, p2{m.x2(), m.y2()};
  Point n1 = p1, n2 = p2;
  if (IsRoundPicture(m)) {
    if (horizontal) {
      n1.x = Reflect(pivot.x, p1.x), n2.x = Reflect(pivot.x, p2.x);
    } else {
      n1.y = Reflect(pivot.y, p1.y), n2.y = Reflect(pivot.y, p2.y);
    }
  } else if (horizontal) {
    n1.x = Reflect(pivot.x, p2.x), n2.x = Reflect(pivot.x, p1.x);
    if (m.kind() == kKindLine) n1.y = p2.y, n2.y = p1.y;
  } else {
    n1.y = Reflect(pivot.y, p2.y), n2.y = Reflect(pivot.y, p1.y);
    if (m.kind() == kKindLine) n1.x = p2.x, n2.x = p1.x;
  }
  m.setX1(n1.x);
  m.setY1(n1.y);
  m.setX2(n2.x);
  m.setY2(n2.y);
}

void TurnGroupMember(ItemRecord& m, Point pivot, bool mirror, bool flip, int turn,
                     const GeometryContext& context) {
  TakeReference(m);
  const bool shape = IsPointListKind(m.kind());
  if (turn != 0) {
    const double angle = turn * kPi / 2;
    if (shape) {
      RotatePoints(m.points, pivot, angle);
    } else if (m.kind() == kKindPicture) {
      OrbitBox(m, pivot, angle);
    } else {
      RotateSegment(m, pivot, angle);
    }
    TakeReference(m);
  }
  if (shape) {
    if (mirror || flip) MirrorPoints(m.points, pivot, m.kind(), flip, mirror);
  } else {
    if (mirror) MirrorSegment(m, pivot, true);
    if (flip) MirrorSegment(m, pivot, false);
  }
  BoundsAfterTransform(m, context);
  TakeReference(m);
}

void TurnShape(ItemRecord& s, bool mirror, bool flip, int turn, const GeometryContext& context) {
  Snapshot(s.points);
  const Point pivot =
      s.kind() == kKindPie || s.kind() == kKindArc ? ArcCentre(s) : MeanPoint(s.points);
  if (turn != 0) {
    RotatePoints(s.points, pivot, turn * kPi / 2);
    Snapshot(s.points);
  }
  if (mirror || flip) MirrorPoints(s.points, pivot, s.kind(), flip, mirror);
  RecomputeBounds(s, context);
}

}  // namespace

void QuarterTurnAndMirror(ItemList& list, bool mirror, bool flip, int turn,
                          const GeometryContext& context) {
  turn = std::clamp(turn, -1, 1);
  for (ItemRecord& r : list) {
    if (!IsSelected(r)) continue;
    if (r.kind() == kKindGroupFrame) {
      const Point pivot{r.x1(), r.y1()};
      for (ItemRecord& m : list) {
        if (&m != &r && IsSelected(m) && m.kind() != kKindGroupFrame &&
            m.groupNumber() == r.groupNumber()) {
          TurnGroupMember(m, pivot, mirror, flip, turn, context);
        }
      }
      continue;
    }
    if (r.groupNumber() != 0) continue;
    if (IsPointListKind(r.kind())) {
      TurnShape(r, mirror, flip, turn, context);
    } else if (r.kind() == kKindPicture) {
      if (mirror) MirrorPictureSource(r, true);
      if (flip) MirrorPictureSource(r, false);
      if (turn != 0) TurnPicture(r, turn);
      BoundsAfterTransform(r, context);
      TakeReference(r);
    }
  }
}

bool MoveArcCentre(ItemRecord& item, Point newCentre, const GeometryContext& context) {
  const Point s = PointAt(item.points, 2), e = PointAt(item.points, 3);
  const double chord = DistanceOf(s, e);
  const double r = DistanceOf(newCentre, s);
  double alpha = AngleOf(newCentre, s);
  double sweep = AngleOf(newCentre, e) - alpha;
  if (sweep < 0) sweep += 2 * kPi;
  if (r < 0.0001) {
    alpha += kPi;
  } else {
    const double q = chord / 2 / r;
    if (!(q >= -1 && q <= 1)) return false;
    alpha += sweep < kPi ? 2 * std::asin(q) : -2 * std::asin(q);
  }
  ArcFromClicks(newCentre, s, PolarPoint(newCentre, r, alpha), item.points);
  RecomputeBounds(item, context);
  return true;
}

void FinishPictureResize(ItemRecord& p, const GeometryContext& context) {
  const Point p1{p.x1(), p.y1()}, p2{p.x2(), p.y2()};
  const Point ref1{p.refX1(), p.refY1()}, ref2{p.refX2(), p.refY2()};
  const auto restore = [&] {
    p.setX1(ref1.x);
    p.setY1(ref1.y);
    p.setX2(ref2.x);
    p.setY2(ref2.y);
    BoundsAfterTransform(p, context);
  };
  double a = 1, b = 1;
  if (p.clipShape() == 2) {
    const int32_t d = RoundToInt32(DistanceOf(p1, p2));
    const int32_t f = RoundToInt32(DistanceOf(ref1, ref2));
    if (d == 0 || f == 0) return restore();
    a = b = std::abs(static_cast<double>(d) / f);
  } else {
    const int64_t w0 = std::abs(int64_t{ref2.x} - ref1.x);
    const int64_t h0 = std::abs(int64_t{ref2.y} - ref1.y);
    if (w0 == 0 || h0 == 0) return restore();
    // Signed: a drag past the opposite side mirrors or flips the picture.
    a = static_cast<double>(int64_t{p2.x} - p1.x) / static_cast<double>(w0);
    b = static_cast<double>(int64_t{p2.y} - p1.y) / static_cast<double>(h0);
    p.setX1(std::min(p1.x, p2.x));
    p.setX2(std::max(p1.x, p2.x));
    p.setY1(std::min(p1.y, p2.y));
    p.setY2(std::max(p1.y, p2.y));
  }
  p.setScaleX(p.scaleX() * a);
  p.setScaleY(p.scaleY() * b);
  BoundsAfterTransform(p, context);
  p.setRefX1(p.x1());
  p.setRefY1(p.y1());
  p.setRefX2(p.x2());
  p.setRefY2(p.y2());
}

Point ConstrainToDirection(Point base, Point m, double degrees) {
  if (degrees < 0) return m;
  if (Near(degrees, 0) || Near(degrees, 180)) return {m.x, base.y};
  if (Near(degrees, 90) || Near(degrees, 270)) return {base.x, m.y};
  const double a = degrees * kPi / 180;
  const int32_t whole = RoundToInt32(degrees);
  if ((whole >= 45 && whole <= 135) || (whole >= 225 && whole <= 315)) {
    const double cot = std::cos(a) / std::sin(a);
    return {Shift(base.x, RoundToInt32(cot * (double(base.y) - m.y))), m.y};
  }
  return {m.x, Shift(base.y, RoundToInt32(std::tan(a) * (double(base.x) - m.x)))};
}

Point MoveAlong(Point p, double degrees, double t) {
  if (Near(degrees, -1)) return p;
  if (Near(degrees, 0)) return {Shift(p.x, RoundToInt32(t)), p.y};
  if (Near(degrees, 180)) return {Shift(p.x, -int64_t{RoundToInt32(t)}), p.y};
  if (Near(degrees, 90)) return {p.x, Shift(p.y, -int64_t{RoundToInt32(t)})};
  if (Near(degrees, 270)) return {p.x, Shift(p.y, RoundToInt32(t))};
  return PolarPoint(p, t, degrees * kPi / 180);
}

namespace {

// The live grid line nearest to v (the first of equal ones), in document pixels; false when
// there is none.
bool NearestLine(const std::vector<AnchorEntry>& lines, int64_t originShift, int32_t v,
                 int64_t& nearest) {
  bool found = false;
  int64_t best = 0;
  for (const AnchorEntry& line : lines) {
    if (line.deleted != 0) continue;
    const int64_t position = int64_t{line.position} - originShift;
    const int64_t distance = std::abs(position - v);
    if (!found || distance < best) {
      found = true;
      best = distance;
      nearest = position;
    }
  }
  return found;
}

}  // namespace

void SnapPoints(const ItemList& list, std::vector<PointEntry>& points) {
  const ItemRecord* page = FindPageRecord(list);
  const ItemRecord* anchors = FindVisibleByKind(list, kKindAnchors);
  if (page == nullptr || anchors == nullptr) return;
  const double grid = std::abs(page->gridDistanceX() * page->pixelsPerUnitX());
  if (!(grid > 0) || !std::isfinite(grid)) return;
  // Grid line positions count from the desk origin; document pixels from the page's corner.
  const double zoom = page->zoom();
  const int64_t shiftX = RoundToInt32(page->x1() / zoom);
  const int64_t shiftY = RoundToInt32(page->y1() / zoom);
  const auto snap = [&](const std::vector<AnchorEntry>& lines, int64_t shift, int32_t& v) {
    int64_t line = 0;
    if (!NearestLine(lines, shift, v, line)) return;
    const double d = std::abs(static_cast<double>(line - v));
    if (d > 0 && d / grid < 0.07) v = ClampToInt32(line);
  };
  for (PointEntry& e : points) {
    if (page->snapHorizontal() != 0) snap(anchors->verticalAnchors, shiftX, e.point.x);
    if (page->snapVertical() != 0) snap(anchors->horizontalAnchors, shiftY, e.point.y);
  }
}

Point SnapToGrid(const ItemList& list, Point d) {
  const ItemRecord* page = FindPageRecord(list);
  const ItemRecord* anchors = FindVisibleByKind(list, kKindAnchors);
  if (page == nullptr || anchors == nullptr) return d;
  const double zoom = page->zoom() > 0 ? page->zoom() : 1.0;
  int64_t line = 0;
  if (page->snapHorizontal() != 0 &&
      NearestLine(anchors->verticalAnchors, RoundToInt32(page->x1() / zoom), d.x, line)) {
    d.x = ClampToInt32(line);
  }
  if (page->snapVertical() != 0 &&
      NearestLine(anchors->horizontalAnchors, RoundToInt32(page->y1() / zoom), d.y, line)) {
    d.y = ClampToInt32(line);
  }
  return d;
}

}  // namespace quillon
