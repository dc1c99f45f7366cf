// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Surfaces.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "render/Coordinates.h"

namespace quillon {
namespace {

constexpr double kPi = std::numbers::pi;
// Strips up to this length keep their rows in a table; longer ones (huge shapes) compute the
// few rows they are asked for.
constexpr int32_t kStripTableLength = 1 << 16;

Point Relative(Point p, Point frame) {
  return {ClampToInt32(int64_t{p.x} - frame.x), ClampToInt32(int64_t{p.y} - frame.y)};
}

Point PixelAt(int64_t x, int64_t y) {
  return {ClampToInt32(x), ClampToInt32(y)};
}

BoundingBox Grown(const BoundingBox& box, int64_t by) {
  return {ClampToInt32(box.left - by), ClampToInt32(box.top - by), ClampToInt32(box.right + by),
          ClampToInt32(box.bottom + by)};
}

// An angle brought into [0, 2 pi).
double Normalised(double angle) {
  if (!std::isfinite(angle)) return 0;
  angle = std::fmod(angle, 2 * kPi);
  return angle < 0 ? angle + 2 * kPi : angle;
}

}  // namespace

double LightAngle(LightTable table, int light) {
  static constexpr double kTables[3][4] = {
      {kPi / 4, 7 * kPi / 4, 3 * kPi / 4, 5 * kPi / 4},
      {5 * kPi / 4, 7 * kPi / 4, 3 * kPi / 4, kPi / 4},
      {kPi / 4, 3 * kPi / 4, 7 * kPi / 4, 5 * kPi / 4},
  };
  if (light < 0 || light > 3) light = 0;
  return kTables[static_cast<int>(table)][light];
}

int32_t SheenBoost(uint32_t colour, int range) {
  const int r = RedOf(colour), g = GreenOf(colour), b = BlueOf(colour);
  const double x = 1 - (r + g + b) / 765.0;
  const int s = std::max({std::abs(r - b), std::abs(r - g), std::abs(g - b)});
  return RoundToInt32(x * (1 - s / 255.0) * 0.75 * range);
}

Strip::Strip(int32_t length, int surface, uint32_t colour)
    : length_(std::max(length, 0)),
      surface_(std::clamp(surface, 0, 255)),
      colour_(colour),
      boost_(SheenBoost(colour, 255 - surface_)) {
  if (length_ > kStripTableLength) return;
  rows_.resize(3 * static_cast<std::size_t>(length_));
  for (int32_t r = 0; r < length_; ++r) {
    const std::array<uint8_t, 3> c = Compute(r);
    std::copy(c.begin(), c.end(), rows_.begin() + 3 * r);
  }
}

std::array<uint8_t, 3> Strip::Compute(int64_t r) const {
  const double k = static_cast<double>(r + 1);
  const double e = std::max(0.0, std::sin(kPi * k / length_));
  const double p = std::clamp(36.0 / length_, 1.5, 3.0);
  const double g = std::pow(e, p);
  const double l = (g * (255 - surface_) + surface_) / 255;
  const auto channel = [&](int c) {
    return static_cast<uint8_t>(std::clamp(RoundToInt32((boost_ + c) * l), 0, 255));
  };
  return {channel(BlueOf(colour_)), channel(GreenOf(colour_)), channel(RedOf(colour_))};
}

std::array<uint8_t, 3> Strip::Row(int64_t r) const {
  if (rows_.empty()) return Compute(r);
  const uint8_t* p = rows_.data() + 3 * r;
  return {p[0], p[1], p[2]};
}

int64_t AcrossRow(Point pixel, Point a, Point b, int32_t length, double beta) {
  const Point foot = ProjectOntoLine(a, b, pixel).foot;
  return int64_t{length} + RoundToInt32(std::sin(beta) * (length / 4)) -
         RoundToInt32(DistanceOf(pixel, foot));
}

Strip BuildStrip(int32_t length, int surface, uint32_t colour) {
  return Strip(length, surface, colour);
}

int64_t WrapRow(int64_t row, int32_t length) {
  if (row < 0) {
    row += length;
  } else if (row >= length) {
    row -= length;
  }
  return std::clamp<int64_t>(row, 0, std::max(length - 1, 0));
}

MarkerMask NewMarkerMask(const Primitives& target, const BoundingBox& area) {
  MarkerMask mask;
  mask.frame = {area.left, area.top};
  const BoundingBox visible = target.Area();
  const int64_t left = std::max(area.left, visible.left);
  const int64_t top = std::max(area.top, visible.top);
  const int64_t right = std::min(area.right, visible.right);
  const int64_t bottom = std::min(area.bottom, visible.bottom);
  mask.origin = {ClampToInt32(left), ClampToInt32(top)};
  if (right < left || bottom < top) return mask;
  mask.bitmap =
      Bitmap::TryCreate(static_cast<int>(right - left + 1), static_cast<int>(bottom - top + 1));
  mask.bitmap.Fill(0);
  return mask;
}

BodyStyle MarkerStyle(int32_t fillColor, int32_t outlineWidth) {
  return BodyStyleOf(fillColor, kMarkerBlue, kMarkerRed, outlineWidth);
}

Point HighlightOf(Point corner, int64_t w, int64_t h, int light) {
  const int64_t sx = (light == 1 || light == 3) ? 1 : -1;
  const int64_t sy = (light == 2 || light == 3) ? 1 : -1;
  return {ClampToInt32(corner.x + w / 2 + sx * (w / 6)),
          ClampToInt32(corner.y + h / 2 + sy * (h / 6))};
}

void ShadeDisc(Primitives& target, const BoundingBox& square, int light, int surface, int32_t pen,
               int32_t fillColor, uint32_t lineColor) {
  const int64_t d = int64_t{square.right} - square.left;
  if (d < 2) return;
  MarkerMask mask = NewMarkerMask(target, Grown(square, int64_t{pen} + 1));
  if (mask.empty()) return;
  {
    Primitives marks(mask.bitmap, mask.origin);
    const BodyStyle style = MarkerStyle(fillColor, pen);
    marks.Ellipse(square, style.brush, style.pen);
  }
  const int32_t length = ClampToInt32(int64_t{pen} + RoundToInt32(1.5 * double(d)));
  const Point highlight = HighlightOf({square.left, square.top}, d, d, light);
  const Strip outline(length, surface, lineColor);
  const Strip fill(IsFillColour(fillColor) ? length : 0, surface, uint32_t(fillColor));
  ApplyStrips(target, mask, outline, IsFillColour(fillColor) ? &fill : nullptr,
              [&](int64_t x, int64_t y) {
                return RoundToInt32(DistanceOf(PixelAt(x, y), highlight)) + int64_t{length / 2};
              });
}

void ShadeEllipse(Primitives& target, Point centre, Point axisEnd, Point side, int light,
                  int surface, int32_t pen, int32_t fillColor, uint32_t lineColor) {
  const int32_t rx = RoundToInt32(DistanceOf(centre, axisEnd));
  const int32_t ry = RoundToInt32(DistanceOf(side, ProjectOntoLine(centre, axisEnd, side).foot));
  if (rx == 0 || ry == 0) return;
  double q = 1 - double(ry) / rx;
  if (q < 0) q = -1 - double(rx) / ry;
  const EllipseChain chain = EllipseBezier(centre, axisEnd, side);
  const int64_t w = int64_t{chain.box.right} - chain.box.left;
  const int64_t h = int64_t{chain.box.bottom} - chain.box.top;
  MarkerMask mask = NewMarkerMask(target, Grown(chain.box, int64_t{pen} + 1));
  if (mask.empty()) return;
  {
    Primitives marks(mask.bitmap, mask.origin);
    const BodyStyle style = MarkerStyle(fillColor, pen);
    marks.Bezier(chain.points, style.brush, style.pen);
  }
  const int32_t length = ClampToInt32(
      int64_t{pen} + std::max(RoundToInt32(1.5 * double(w)), RoundToInt32(1.5 * double(h))));
  const Point highlight = HighlightOf({chain.box.left, chain.box.top}, w, h, light);
  const double axis = AngleOf(centre, axisEnd);
  const Strip outline(length, surface, lineColor);
  const Strip fill(IsFillColour(fillColor) ? length : 0, surface, uint32_t(fillColor));
  ApplyStrips(target, mask, outline, IsFillColour(fillColor) ? &fill : nullptr,
              [&](int64_t x, int64_t y) {
                const Point pixel = PixelAt(x, y);
                const int64_t m = RoundToInt32(DistanceOf(pixel, highlight));
                double phi = AngleOf(highlight, pixel) - axis;
                while (phi < 0)
                  phi += kPi;
                while (phi > kPi)
                  phi -= kPi;
                const double u = q >= 0 ? std::sin(phi) : std::abs(std::cos(phi));
                return m + RoundToInt32(u * double(m) * q) + length / 2;
              });
}

void ShadeBox(Primitives& target, std::span<const Point> corners, const Outline& outline, int light,
              int surface, int32_t pen, int32_t fillColor, uint32_t lineColor) {
  if (corners.size() < 3) return;
  const BoundingBox box = *PointsBox(corners);
  if (box.left == box.right || box.top == box.bottom) return;
  MarkerMask mask = NewMarkerMask(target, Grown(box, int64_t{pen} + 1));
  if (mask.empty()) return;
  const Point p0 = Relative(corners[0], mask.frame);
  const Point p1 = Relative(corners[1], mask.frame);
  const Point p2 = Relative(corners[2], mask.frame);
  const int32_t length = RoundToInt32(DistanceOf(p1, p2));
  if (length < 1) return;
  {
    Primitives marks(mask.bitmap, mask.origin);
    DrawBody(marks, outline, MarkerStyle(fillColor, pen));
  }
  // The reference side runs so that the box lies on its left: turning counter-clockwise at p1
  // means the side is taken backwards.
  const double turn = Normalised(AngleOf(p1, p2) - AngleOf(p0, p1));
  const double alpha = turn <= kPi ? AngleOf(p1, p0) : AngleOf(p0, p1);
  const double beta = alpha + LightAngle(LightTable::B, light);
  const Strip outlineStrip(length, surface, lineColor);
  const Strip fill(IsFillColour(fillColor) ? length : 0, surface, uint32_t(fillColor));
  ApplyStrips(target, mask, outlineStrip, IsFillColour(fillColor) ? &fill : nullptr,
              [&](int64_t x, int64_t y) {
                return AcrossRow(Relative(PixelAt(x, y), mask.frame), p0, p1, length, beta);
              });
}

void ShadeByDisc(Primitives& target, const Outline& outline, const BoundingBox& discSquare,
                 int light, int surface, int32_t pen, int32_t fillColor, uint32_t lineColor) {
  const std::optional<BoundingBox> box = OutlineBox(outline);
  const int64_t d = int64_t{discSquare.right} - discSquare.left;
  if (!box || d < 2) return;
  MarkerMask mask = NewMarkerMask(target, Grown(*box, int64_t{pen} + 1));
  if (mask.empty()) return;
  MarkerMask disc = NewMarkerMask(target, Grown(*box, int64_t{pen} + 1));
  {
    Primitives marks(mask.bitmap, mask.origin);
    DrawBody(marks, outline, MarkerStyle(fillColor, pen));
    Primitives discMarks(disc.bitmap, disc.origin);
    const BodyStyle whole = MarkerStyle(kFillSolid, pen);
    discMarks.Ellipse(discSquare, whole.brush, whole.pen);
  }
  const int32_t length = ClampToInt32(int64_t{pen} + RoundToInt32(1.5 * double(d)));
  const Point highlight = HighlightOf({discSquare.left, discSquare.top}, d, d, light);
  const Strip outlineStrip(length, surface, lineColor);
  const Strip fill(IsFillColour(fillColor) ? length : 0, surface, uint32_t(fillColor));
  // Pixels of the shape outside the disc keep what lies under them, as the disc's own work
  // bitmaps would.
  ApplyStrips(target, mask, outlineStrip, IsFillColour(fillColor) ? &fill : nullptr,
              [&](int64_t x, int64_t y) {
                const int64_t mx = x - disc.origin.x, my = y - disc.origin.y;
                if (disc.bitmap.Row(static_cast<int>(my))[3 * mx] == 0) return kKeepPixel;
                return RoundToInt32(DistanceOf(PixelAt(x, y), highlight)) + int64_t{length / 2};
              });
}

namespace {

// The square a shape's shaded disc is drawn in, by kind.
std::optional<BoundingBox> DiscSquareOf(const ItemRecord& item, const TargetMapping& mapping,
                                        int32_t pen) {
  const auto& points = item.points;
  const auto square = [](int64_t left, int64_t top, int64_t side) {
    return BoundingBox{ClampToInt32(left), ClampToInt32(top), ClampToInt32(left + side),
                       ClampToInt32(top + side)};
  };
  switch (item.kind()) {
    case kKindPolygon:
    case kKindPie:
    case kKindArc: {
      if (points.size() < 2) return std::nullopt;
      const Point c = mapping.Map(points[0].point);
      const double r = DistanceOf(c, mapping.Map(points[1].point));
      const int64_t side = int64_t{RoundToInt32((r + pen) * 2)} + 1;
      return square(c.x - side / 2, c.y - side / 2, side);
    }
    case kKindStar: {
      if (points.size() < 3) return std::nullopt;
      const Point c = mapping.Map(points[0].point);
      const double r = std::max(DistanceOf(c, mapping.Map(points[1].point)),
                                DistanceOf(c, mapping.Map(points[2].point)));
      const int64_t side = 2 * int64_t{RoundToInt32(r)} + 2 * int64_t{pen} + 3;
      return square(c.x - side / 2, c.y - side / 2, side);
    }
    default: {
      std::vector<Point> mapped;
      mapped.reserve(points.size());
      for (const PointEntry& e : points)
        mapped.push_back(mapping.Map(e.point));
      const std::optional<BoundingBox> box = PointsBox(mapped);
      if (!box) return std::nullopt;
      const int64_t s = std::max(int64_t{box->right} - box->left, int64_t{box->bottom} - box->top);
      const int64_t far = RoundToInt32(std::sqrt(2.0) * double(s));
      return BoundingBox{ClampToInt32(box->left + s - far), ClampToInt32(box->top + s - far),
                         ClampToInt32(box->left + far), ClampToInt32(box->top + far)};
    }
  }
}

}  // namespace

void ShadeShape(Primitives& target, const ItemRecord& item, const TargetMapping& mapping,
                const Outline& outline, int light, int surface, int32_t pen) {
  if (outline.form == OutlineForm::None) return;
  const uint32_t line = static_cast<uint32_t>(item.lineColor()) & 0xFFFFFFu;
  const int32_t fill = item.fillColor();
  switch (item.kind()) {
    case kKindCircle:
      ShadeDisc(target, *OutlineBox(outline), light, surface, pen, fill, line);
      return;
    case kKindEllipse:
      ShadeEllipse(target, mapping.Map(item.points[0].point), mapping.Map(item.points[1].point),
                   mapping.Map(item.points[2].point), light, surface, pen, fill, line);
      return;
    case kKindSquare:
    case kKindRectangle: {
      std::vector<Point> corners;
      for (const PointEntry& e : item.points)
        corners.push_back(mapping.Map(e.point));
      ShadeBox(target, corners, outline, light, surface, pen, fill, line);
      return;
    }
    default:
      if (const std::optional<BoundingBox> square = DiscSquareOf(item, mapping, pen)) {
        ShadeByDisc(target, outline, *square, light, surface, pen, fill, line);
      }
      return;
  }
}

void ShadeDash(Primitives& target, const Dash& dash, int32_t w, int32_t edgeWidth, double theta,
               int light, int surface, uint32_t lineColor, const Brush& band) {
  const BoundingBox box = *PointsBox(dash.band);
  const BoundingBox area = Grown(box, 2);
  const double beta = Normalised(theta) + LightAngle(LightTable::B, light);
  const bool edges = edgeWidth >= 2;
  std::array<Quad, 4> strips;
  if (edges) {
    for (int side = 1; side <= 4; ++side)
      strips[side - 1] = EdgeStrip(dash.band, side, edgeWidth, theta);
  }
  const auto shade = [&](bool bandPass, uint32_t colour) {
    MarkerMask mask = NewMarkerMask(target, area);
    if (mask.empty()) return;
    {
      Primitives marks(mask.bitmap, mask.origin);
      const Pen blue{kMarkerBlue, 1};
      if (bandPass) {
        marks.Polygon(dash.band, kMarkerBlue, blue);
        // The edge strips stay black: they take the line colour in the second pass.
        for (int i = 0; edges && i < 4; ++i)
          marks.Polygon(strips[i], uint32_t{0}, Pen{0, 1});
      } else {
        for (const Quad& strip : strips)
          marks.Polygon(strip, kMarkerBlue, blue);
      }
    }
    const Point c0 = Relative(dash.band[0], mask.frame);
    const Point c1 = Relative(dash.band[1], mask.frame);
    ApplyStrips(target, mask, Strip(w, surface, colour), nullptr, [&](int64_t x, int64_t y) {
      return AcrossRow(Relative(PixelAt(x, y), mask.frame), c0, c1, w, beta);
    });
  };
  if (band) shade(true, *band);
  if (edges) shade(false, lineColor);
}

}  // namespace quillon
