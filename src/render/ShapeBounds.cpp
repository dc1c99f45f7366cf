// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ShapeBounds.h"

#include <algorithm>
#include <cstdlib>

#include "render/Coordinates.h"
#include "render/Outlines.h"
#include "render/TextMetrics.h"

namespace quillon {
namespace {

class BoxBuilder {
 public:
  void Add(Point p) {
    if (empty_) {
      box_ = {p.x, p.y, p.x, p.y};
      empty_ = false;
      return;
    }
    box_.left = std::min(box_.left, p.x);
    box_.top = std::min(box_.top, p.y);
    box_.right = std::max(box_.right, p.x);
    box_.bottom = std::max(box_.bottom, p.y);
  }
  BoundingBox box() const { return box_; }

 private:
  BoundingBox box_;
  bool empty_ = true;
};

BoundingBox Grow(const BoundingBox& b, int64_t dx, int64_t dy) {
  return {ClampToInt32(b.left - dx), ClampToInt32(b.top - dy), ClampToInt32(b.right + dx),
          ClampToInt32(b.bottom + dy)};
}

BoundingBox Around(Point c, int64_t r) {
  return Grow({c.x, c.y, c.x, c.y}, r, r);
}

// The box of the arc sampled at radius |c, s| + extra, with s and e themselves.
BoundingBox ArcBox(Point c, Point s, Point e, double extra) {
  const ArcSamples samples(c, s, e);
  const double r = DistanceOf(c, s) + extra;
  BoxBuilder box;
  box.Add(s);
  box.Add(e);
  for (int32_t j = 1; j <= samples.count - 2; ++j)
    box.Add(PolarPoint(c, r, samples.AngleAt(j)));
  box.Add(PolarPoint(c, r, samples.end));
  return box.box();
}

// A pie's outline runs through its centre, so its box holds the centre as well.
BoundingBox WithPieCentre(const ItemRecord& item, BoundingBox box) {
  if (item.kind() != kKindPie) return box;
  const Point c = PointAt(item.points, 1);
  return {std::min(box.left, c.x), std::min(box.top, c.y), std::max(box.right, c.x),
          std::max(box.bottom, c.y)};
}

int64_t RoundedDistance(Point a, Point b) {
  return RoundToInt32(DistanceOf(a, b));
}

// The box of the outline itself, before any margin.
BoundingBox OutlineBox(const ItemRecord& item) {
  const auto& pts = item.points;
  const Point c = PointAt(pts, 1), p = PointAt(pts, 2), q = PointAt(pts, 3);
  switch (item.kind()) {
    case kKindCircle:
      return Around(c, RoundedDistance(c, p));
    case kKindEllipse:
      return Around(
          c, std::max(RoundedDistance(c, p), RoundedDistance(q, ProjectOntoLine(c, p, q).foot)));
    case kKindPolygon:
      return Around(c, std::max<int64_t>(1, RoundedDistance(c, p)));
    case kKindStar:
      return Around(c, std::max(RoundedDistance(c, p), RoundedDistance(c, q)));
    case kKindPie:
    case kKindArc:
      return WithPieCentre(item, Grow(ArcBox(c, p, q, 1), 1, 1));
    default:
      break;
  }
  if (pts.empty()) return {};  // bounded at the origin, like the missing points above
  BoxBuilder box;
  for (const PointEntry& e : pts) {
    box.Add(e.point);
    if (item.kind() == kKindCurve) {
      box.Add(e.handleIn);
      box.Add(e.handleOut);
    }
  }
  return box.box();
}

}  // namespace

void SetDefiningBox(ItemRecord& item, const BoundingBox& box, const ScreenMetrics& screen) {
  item.setX1(box.left);
  item.setY1(box.top);
  item.setX2(box.right);
  item.setY2(box.bottom);
  item.setBoundLeft(std::min(box.left, box.right));
  item.setBoundRight(std::max(box.left, box.right));
  item.setBoundTop(std::min(box.top, box.bottom));
  item.setBoundBottom(std::max(box.top, box.bottom));
  item.setBoundWidth(ClampToInt32(std::abs(int64_t{box.right} - box.left)));
  item.setBoundHeight(ClampToInt32(std::abs(int64_t{box.bottom} - box.top)));
  item.setDiagonal(RoundedSingleLength(item.boundWidth(), item.boundHeight()));
  RealFromPixels(item, screen);
}

void RecomputeBounds(ItemRecord& item, const GeometryContext& context) {
  const int64_t margin =
      std::max({item.penWidth(), context.handle.width / 2, context.handle.height / 2});
  SetDefiningBox(item, Grow(OutlineBox(item), margin, margin), context.screen);
}

void NewShapeBounds(ItemRecord& item, const GeometryContext& context) {
  const Point c = PointAt(item.points, 1), p = PointAt(item.points, 2);
  const Point q = PointAt(item.points, 3);
  switch (item.kind()) {
    case kKindCircle:
    case kKindPolygon:
      SetDefiningBox(item, Around(c, RoundedDistance(c, p)), context.screen);
      break;
    case kKindStar:
      SetDefiningBox(item, Around(c, std::max(RoundedDistance(c, p), RoundedDistance(c, q))),
                     context.screen);
      break;
    case kKindEllipse:
      SetDefiningBox(item,
                     Around(c, std::max(RoundedDistance(c, p),
                                        RoundedDistance(q, ProjectOntoLine(c, p, q).foot))),
                     context.screen);
      break;
    case kKindArc:
      SetDefiningBox(item, Around(c, RoundedDistance(c, p)), context.screen);
      break;
    case kKindPie: {
      // The margin is the weight at 100 %, so that the stored box does not depend on the zoom.
      const int64_t margin =
          std::max({int64_t{PixelWidth(1, item.lineWeight(), context.screen)},
                    int64_t{context.handle.width / 2}, int64_t{context.handle.height / 2}});
      SetDefiningBox(item, Grow(WithPieCentre(item, ArcBox(c, p, q, 0)), margin, margin),
                     context.screen);
      break;
    }
    default:
      RecomputeBounds(item, context);
      break;
  }
}

void BoundsAfterTransform(ItemRecord& item, const GeometryContext& context) {
  if (IsPointListKind(item.kind())) {
    RecomputeBounds(item, context);
    return;
  }
  const Point p1{item.x1(), item.y1()}, p2{item.x2(), item.y2()};
  if (item.kind() == kKindPicture && item.clipShape() == 2) {
    const int64_t r = RoundedDistance(p1, p2);
    const BoundingBox box = Around(p1, r);
    item.setBoundLeft(box.left);
    item.setBoundTop(box.top);
    item.setBoundRight(box.right);
    item.setBoundBottom(box.bottom);
    item.setBoundWidth(ClampToInt32(2 * r));
    item.setBoundHeight(ClampToInt32(2 * r));
  } else {
    BoundingBox box{std::min(p1.x, p2.x), std::min(p1.y, p2.y), std::max(p1.x, p2.x),
                    std::max(p1.y, p2.y)};
    if (item.kind() == kKindText && context.text != nullptr) {
      box = TextRect(item, context.text->Measure(item, 1.0), context.textHandle).itemBounds;
    }
    item.setBoundLeft(box.left);
    item.setBoundTop(box.top);
    item.setBoundRight(box.right);
    item.setBoundBottom(box.bottom);
    item.setBoundWidth(ClampToInt32(std::abs(int64_t{p2.x} - p1.x)));
    item.setBoundHeight(ClampToInt32(std::abs(int64_t{p2.y} - p1.y)));
  }
  item.setDiagonal(RoundedSingleLength(item.boundWidth(), item.boundHeight()));
  item.setAngle(AngleOf(p1, p2));
  RealFromPixels(item, context.screen);
}

}  // namespace quillon
