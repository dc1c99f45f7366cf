// SPDX-License-Identifier: GPL-3.0-or-later
// Shaded text lines and picture frames, the surfaces the text and picture renderers use.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "render/Coordinates.h"
#include "render/Resample.h"
#include "render/Surfaces.h"

namespace quillon {
namespace {

constexpr double kPi = std::numbers::pi;

Point Relative(Point p, Point frame) {
  return {ClampToInt32(int64_t{p.x} - frame.x), ClampToInt32(int64_t{p.y} - frame.y)};
}

void PutRow(Bitmap& b, int x, int y, const Strip& strip, int64_t row) {
  const std::array<uint8_t, 3> c = strip.Row(WrapRow(row, strip.length()));
  std::copy(c.begin(), c.end(), b.Row(y) + 3 * x);
}

// Smooths a size x size corner of the picture by enlarging it to twice its size and reducing it
// again with the cubic B-spline, which rounds off the mitre's hard diagonal.
void SmoothCorner(Bitmap& picture, int x, int y, int size) {
  Bitmap corner(size, size);
  corner.CopyFrom(picture, x, y, size, size, 0, 0);
  Bitmap large = Bitmap::TryCreate(2 * size, 2 * size);
  if (large.empty()) return;
  Resample(corner, large, ResampleFilter::BSpline);
  Resample(large, corner, ResampleFilter::BSpline);
  picture.CopyFrom(corner, 0, 0, size, size, x, y);
}

}  // namespace

void ShadeTextLine(Primitives& target, const MarkerMask& mask, Point referenceStart,
                   Point referenceEnd, int32_t stripLength, double theta, int light, int surface,
                   uint32_t colour) {
  if (mask.empty() || stripLength < 1) return;
  const Point a = Relative(referenceStart, mask.frame);
  const Point b = Relative(referenceEnd, mask.frame);
  const double beta = theta + LightAngle(LightTable::C, light);
  ApplyStrips(target, mask, Strip(stripLength, surface, colour), nullptr,
              [&](int64_t x, int64_t y) {
                const Point pixel{ClampToInt32(x - mask.frame.x), ClampToInt32(y - mask.frame.y)};
                return AcrossRow(pixel, a, b, stripLength, beta);
              });
}

void ShadePictureFrame(Bitmap& picture, int32_t frameWidth, double rotation, int light, int surface,
                       uint32_t lineColor) {
  const int w = picture.width(), h = picture.height();
  const int p = frameWidth;
  if (p < 1 || picture.empty()) return;
  const double a = LightAngle(LightTable::A, light) - rotation;
  const Strip strip(p, surface, lineColor);
  const int64_t across = RoundToInt32(std::sin(kPi - a) * (p / 4));
  const int64_t down = RoundToInt32(std::sin(kPi / 2 - a) * (p / 4));
  for (int y = 0; y < h; ++y) {
    const int dh = std::min(y, h - 1 - y);
    for (int x = 0; x < w; ++x) {
      // Only the border: inside rows skip from the left frame straight to the right one.
      if (dh >= p && x == p && w - p > p) x = w - p;
      const int dv = std::min(x, w - 1 - x);
      if (std::min(dv, dh) >= p) continue;
      // Mitred corners: each pixel belongs to the side whose edge is nearer, the left and
      // right sides taking the diagonal.
      if (dv <= dh) {
        const int i = x <= w - 1 - x ? x : x - (w - p);
        PutRow(picture, x, y, strip, i + across);
      } else {
        const int j = y <= h - 1 - y ? y : y - (h - p);
        PutRow(picture, x, y, strip, j + down);
      }
    }
  }
  if (p <= 12 || w < p || h < p) return;
  if (light == 1 || light == 2) {
    SmoothCorner(picture, 0, 0, p);
    SmoothCorner(picture, w - p, h - p, p);
  } else {
    SmoothCorner(picture, w - p, 0, p);
    SmoothCorner(picture, 0, h - p, p);
  }
}

void ShadeRound(Primitives& target, Point centre, int32_t radius, int32_t frameWidth, int light,
                int surface, uint32_t lineColor) {
  if (int64_t{radius} * 2 <= 4 || frameWidth < 1) return;
  const int64_t outer = int64_t{radius} + frameWidth;
  const int64_t side = 2 * outer + 2;
  const BoundingBox area{ClampToInt32(centre.x - outer), ClampToInt32(centre.y - outer),
                         ClampToInt32(centre.x - outer + side - 1),
                         ClampToInt32(centre.y - outer + side - 1)};
  MarkerMask mask = NewMarkerMask(target, area);
  if (mask.empty()) return;
  {
    Primitives marks(mask.bitmap, mask.origin);
    const auto around = [&](int64_t r) {
      return BoundingBox{ClampToInt32(centre.x - r), ClampToInt32(centre.y - r),
                         ClampToInt32(centre.x + r), ClampToInt32(centre.y + r)};
    };
    marks.Ellipse(around(outer), kMarkerBlue, Pen{kMarkerBlue, 0});
    marks.Ellipse(around(radius), uint32_t{0}, Pen{0, 0});
  }
  // The mask's centre and the strip's start count from its size, as the frame was drawn.
  const Point middle{ClampToInt32((side - 2) / 2), ClampToInt32((side - 2) / 2)};
  const int64_t e = (side - 3) / 2;
  const double lightAngle = LightAngle(LightTable::A, light);
  ApplyStrips(target, mask, Strip(frameWidth, surface, lineColor), nullptr,
              [&](int64_t x, int64_t y) {
                const Point pixel{ClampToInt32(x - mask.frame.x), ClampToInt32(y - mask.frame.y)};
                const double phi = AngleOf(middle, pixel) - lightAngle;
                return e + RoundToInt32(std::sin(phi) * (frameWidth / 4)) -
                       RoundToInt32(DistanceOf(middle, pixel));
              });
}

}  // namespace quillon
