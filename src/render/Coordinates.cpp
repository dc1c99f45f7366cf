// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Coordinates.h"

#include <cmath>
#include <cstdio>

namespace quillon {
namespace {

// The digits of a number as the picture "#####" or "###.##" shows them: no leading zero and
// no trailing zeros after the decimal point.
std::string PictureDigits(double value, int decimals) {
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  std::string text(buffer);
  if (decimals > 0) {
    while (!text.empty() && text.back() == '0')
      text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
  }
  if (text.starts_with('0')) text.erase(0, 1);
  // The picture alone would show nothing for a measure that rounds to zero; show "0".
  return text.empty() ? std::string("0") : text;
}

}  // namespace

double DistanceOf(Point a, Point b) {
  const double dx = static_cast<double>(b.x) - a.x;
  const double dy = static_cast<double>(b.y) - a.y;
  return std::sqrt(dx * dx + dy * dy);
}

Point Midpoint(Point a, Point b) {
  return {ClampToInt32((int64_t{a.x} + b.x) / 2), ClampToInt32((int64_t{a.y} + b.y) / 2)};
}

Point PolarPoint(Point c, double r, double theta) {
  // The offsets are rounded on their own before they are added, as the rule says; only the
  // sum saturates.
  const auto offset = [](double v) { return std::isnan(v) ? 0.0 : std::nearbyint(v); };
  return {RoundToInt32(c.x + offset(r * std::cos(theta))),
          RoundToInt32(c.y - offset(r * std::sin(theta)))};
}

Point ToWindowPoint(Point document, double zoom, Point scroll) {
  return TargetMapping::Window(zoom, scroll).Map(document);
}

Point ToDocumentPoint(Point window, double zoom, Point scroll) {
  const double x = static_cast<double>(window.x) + scroll.x;
  const double y = static_cast<double>(window.y) + scroll.y;
  return {RoundToInt32(x / zoom), RoundToInt32(y / zoom)};
}

Point ToOutputPoint(Point document, Point origin, double outScaleX, double outScaleY) {
  return TargetMapping::Output(origin, outScaleX, outScaleY).Map(document);
}

Point TargetMapping::Map(Point p) const {
  return {ClampToInt32(int64_t{RoundToInt32(p.x * scaleX)} + offsetX),
          ClampToInt32(int64_t{RoundToInt32(p.y * scaleY)} + offsetY)};
}

int32_t PixelWidth(double scale, double weightMm, const ScreenMetrics& screen) {
  return std::max(RoundToInt32(scale), RoundToInt32(scale * weightMm * screen.PxPerMmY()));
}

std::string FormatMeasure(int32_t units, double value) {
  if (!(value >= 0.0001) || !std::isfinite(value)) return "None";
  switch (units) {
    case 1:
      return PictureDigits(value, 0) + (value == 1.0 ? " Pixel" : " Pixels");
    case 2:
      return PictureDigits(value, 0) + " mm";
    default:
      return PictureDigits(value, 2) + (value == 1.0 ? " Inch" : " Inches");
  }
}

int ZoomMenuIndex(double zoom) {
  const int32_t p = RoundToInt32(zoom * 100);
  for (std::size_t i = 0; i < kZoomMenuPercents.size(); ++i) {
    if (kZoomMenuPercents[i] == p) return static_cast<int>(i);
  }
  return -1;
}

double ZoomOutStep(double zoom) {
  const int32_t p = RoundToInt32(zoom * 100);
  if (p > 300) return zoom;
  // The largest menu value below p; 25 % is the floor.
  int32_t step = kZoomMenuPercents.front();
  for (int32_t percent : kZoomMenuPercents) {
    if (percent < p) step = percent;
  }
  return step / 100.0;
}

double ZoomInStep(double zoom) {
  const int32_t p = RoundToInt32(zoom * 100);
  if (p >= 300) return zoom;
  if (p < 50) return 0.5;
  for (int32_t percent : kZoomMenuPercents) {
    if (percent > p) return percent / 100.0;
  }
  return zoom;
}

}  // namespace quillon
