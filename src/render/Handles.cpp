// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Handles.h"

#include <cmath>
#include <cstdlib>
#include <numbers>

#include "render/Coordinates.h"
#include "render/Outlines.h"
#include "render/Transforms.h"

namespace quillon {
namespace {

constexpr double kPi = std::numbers::pi;

int32_t Shift(int32_t v, int64_t d) {
  return ClampToInt32(int64_t{v} + d);
}

class Layout {
 public:
  Layout(std::vector<Handle>& out, const GeometryContext& context) : out_(out), c_(context) {}
  void Add(int32_t code, Point p) { out_.push_back({code, p, false, {}, false}); }
  // The rotation dot at distance Rd from `from` in direction phi.
  Handle& Dot(int32_t code, Point from, double phi) {
    return out_.emplace_back(
        Handle{code, PolarPoint(from, c_.rotationDotDistance, phi), true, from});
  }
  // Moves the dot down by two handle heights when it sits on the bottom middle handle's row.
  void ClearOf(const Handle& bottomMiddle, Handle& dot) {
    if (std::abs(int64_t{bottomMiddle.position.y} - dot.position.y) < c_.handle.height) {
      dot.position.y = Shift(dot.position.y, 2 * int64_t{c_.handle.height});
    }
  }

 private:
  std::vector<Handle>& out_;
  const GeometryContext& c_;
};

void SegmentHandles(const ItemRecord& item, bool one, const TargetMapping& map, Layout& layout) {
  const Point p1 = map.Map({item.x1(), item.y1()}), p2 = map.Map({item.x2(), item.y2()});
  const Point m = Midpoint(p1, p2);
  layout.Add(1, p1);
  layout.Add(2, p2);
  layout.Add(3, m);
  const bool free = item.kind() == kKindText ? item.presetTextAngle() < 0 : item.direction() < 0;
  if (one && free) layout.Dot(kHandleTurn, m, AngleOf(p1, p2) - kPi / 2);
}

void ListHandles(const ItemRecord& item, bool one, const TargetMapping& map, Layout& layout,
                 std::vector<Handle>& out) {
  const bool polygonOrStar = item.kind() == kKindPolygon || item.kind() == kKindStar;
  const std::size_t first = polygonOrStar ? 1 : 0;
  int32_t code = -1;
  for (std::size_t k = first; k < item.points.size(); ++k) {
    layout.Add(code, map.Map(item.points[k].point));
    code = code == INT32_MIN ? code : code - 1;
  }
  const Point p1 = map.Map(PointAt(item.points, 1)), p2 = map.Map(PointAt(item.points, 2));
  const Point p3 = map.Map(PointAt(item.points, 3));
  const bool box = item.kind() == kKindSquare || item.kind() == kKindRectangle;
  const bool upright = box && AngleOf(p1, p2) == 0;
  std::size_t side207 = 0;
  if (upright) {
    const Point m13 = Midpoint(p1, p3), m23 = Midpoint(p2, p3), m12 = Midpoint(p1, p2);
    layout.Add(205, {m13.x, p3.y});
    layout.Add(206, {p2.x, m23.y});
    side207 = out.size();
    layout.Add(207, {m12.x, p1.y});
    layout.Add(208, {p1.x, m13.y});
  }
  if (!one) return;
  const Point centre = ItemCentre(item, map);
  layout.Add(kHandleMove, centre);
  double phi = AngleOf(centre, p1);
  if (box) phi = AngleOf(p1, p2) - kPi / 2;
  if (polygonOrStar) phi = AngleOf(p1, p2);
  Handle& dot = layout.Dot(kHandleTurn, centre, phi);
  if (upright) layout.ClearOf(out[side207], dot);
}

void CircleHandles(const ItemRecord& item, bool one, const TargetMapping& map, Layout& layout) {
  const Point c = map.Map(PointAt(item.points, 1));
  const int64_t r = RoundToInt32(DistanceOf(c, map.Map(PointAt(item.points, 2))));
  layout.Add(1, {Shift(c.x, r), c.y});
  layout.Add(2, {c.x, Shift(c.y, -r)});
  layout.Add(3, {Shift(c.x, -r), c.y});
  layout.Add(4, {c.x, Shift(c.y, r)});
  if (one) layout.Add(kHandleMove, c);
}

void EllipseHandles(const ItemRecord& item, bool one, const TargetMapping& map, Layout& layout) {
  const Point c = map.Map(PointAt(item.points, 1)), p = map.Map(PointAt(item.points, 2));
  const Point q = map.Map(PointAt(item.points, 3));
  const double theta = AngleOf(c, p);
  const double a = DistanceOf(c, p);
  const double b = DistanceOf(q, ProjectOntoLine(c, p, q).foot);
  layout.Add(1, p);
  layout.Add(2, PolarPoint(c, b, theta + kPi / 2));
  layout.Add(3, PolarPoint(c, a, theta + kPi));
  layout.Add(4, PolarPoint(c, b, theta + 3 * kPi / 2));
  if (!one) return;
  layout.Add(kHandleMove, c);
  layout.Dot(kHandleTurn, c, theta);
}

void ArcHandles(const ItemRecord& item, bool one, const TargetMapping& map, Layout& layout) {
  const Point c = map.Map(PointAt(item.points, 1)), s = map.Map(PointAt(item.points, 2));
  const Point e = map.Map(PointAt(item.points, 3));
  layout.Add(1, c);
  layout.Add(2, s);
  layout.Add(3, e);
  if (!one) return;
  layout.Add(kHandleMove, ArcCentre(c, s, e, item.kind() == kKindPie));
  const ArcSamples arc(c, s, e);
  layout.Dot(kHandleTurn, c, arc.start + arc.sweep / 2);
}

void PictureHandles(const ItemRecord& item, bool one, const TargetMapping& map, Layout& layout,
                    std::vector<Handle>& out) {
  const double turn = item.rotation() - kPi / 2;
  std::size_t bottom = 0;
  Point centre;
  if (item.clipShape() == 2) {
    centre = map.Map({item.x1(), item.y1()});
    const int64_t r = RoundToInt32(DistanceOf(centre, map.Map({item.x2(), item.y2()})));
    layout.Add(105, {centre.x, Shift(centre.y, r)});
    layout.Add(106, {Shift(centre.x, r), centre.y});
    bottom = out.size();
    layout.Add(107, {centre.x, Shift(centre.y, -r)});
    layout.Add(108, {Shift(centre.x, -r), centre.y});
  } else {
    const Point lt = map.Map({item.boundLeft(), item.boundTop()});
    const Point rb = map.Map({item.boundRight(), item.boundBottom()});
    centre = Midpoint(lt, rb);
    const Point corners[4] = {lt, {rb.x, lt.y}, rb, {lt.x, rb.y}};
    const bool rotated = item.rotation() != 0;
    for (int i = 0; i < 4; ++i) {
      layout.Add(101 + i, rotated ? RotatePoint(corners[i], centre, item.rotation()) : corners[i]);
    }
    if (!rotated) {
      layout.Add(105, {centre.x, lt.y});
      layout.Add(106, {rb.x, centre.y});
      bottom = out.size();
      layout.Add(107, {centre.x, rb.y});
      layout.Add(108, {lt.x, centre.y});
    }
  }
  if (!one) return;
  layout.Add(kHandleMove, centre);
  Handle& dot = layout.Dot(kHandleTurn, centre, turn);
  if (bottom != 0) layout.ClearOf(out[bottom], dot);
}

}  // namespace

void HandleLayout(const ItemRecord& item, bool oneSelected, Point scroll,
                  const GeometryContext& context, std::vector<Handle>& handles) {
  handles.clear();
  const TargetMapping map = TargetMapping::Window(context.zoom, scroll);
  Layout layout(handles, context);
  switch (item.kind()) {
    case kKindText:
    case kKindLine:
      SegmentHandles(item, oneSelected, map, layout);
      break;
    case kKindTriangle:
    case kKindSquare:
    case kKindRectangle:
    case kKindSpline:
    case kKindCurve:
    case kKindPolygon:
    case kKindStar:
      ListHandles(item, oneSelected, map, layout, handles);
      break;
    case kKindCircle:
      CircleHandles(item, oneSelected, map, layout);
      break;
    case kKindEllipse:
      EllipseHandles(item, oneSelected, map, layout);
      break;
    case kKindPie:
    case kKindArc:
      ArcHandles(item, oneSelected, map, layout);
      break;
    case kKindPicture:
      PictureHandles(item, oneSelected, map, layout, handles);
      break;
    case kKindGroupFrame: {
      const Point g = map.Map({item.x1(), item.y1()});
      handles.push_back({kHandleMiddle, g, false, {}, true});
      layout.Dot(kHandleGroupTurn, g, item.angle() - kPi / 2);
      break;
    }
    default:
      break;
  }
}

BoundingBox HandleRect(Point p, HandleSize size) {
  const int64_t w = size.width / 2, h = size.height / 2;
  return {Shift(p.x, -w), Shift(p.y, -h), Shift(p.x, w), Shift(p.y, h)};
}

}  // namespace quillon
