// SPDX-License-Identifier: GPL-3.0-or-later
// Document pixels and the other spaces: window, output and page units; distances and angles
// (y axis up, counter-clockwise); pixel widths of line weights; the zoom steps.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "document/Geometry.h"
#include "document/ScreenMetrics.h"

namespace quillon {

// sqrt(dx^2 + dy^2), not rounded.
double DistanceOf(Point a, Point b);

// The point halfway between a and b, each coordinate's halving truncated toward zero.
Point Midpoint(Point a, Point b);

// The point at distance r and angle theta from c: (c.x + round(r cos theta),
// c.y - round(r sin theta)), each coordinate rounded separately and saturated.
Point PolarPoint(Point c, double r, double theta);

// Window pixels: round(zoom * x) - scroll.x, likewise y.
Point ToWindowPoint(Point document, double zoom, Point scroll);
// Document pixels: round((x + scroll.x) / zoom), likewise y.
Point ToDocumentPoint(Point window, double zoom, Point scroll);
// Output pixels: round(x * outScaleX) + origin.x, likewise y.
Point ToOutputPoint(Point document, Point origin, double outScaleX, double outScaleY);

// A mapping from document pixels to target pixels: round(p * scale) + offset per axis.
// The window uses its zoom and minus its scroll offset; output targets their scale pair and
// origin.
struct TargetMapping {
  double scaleX = 1.0;
  double scaleY = 1.0;
  int64_t offsetX = 0;
  int64_t offsetY = 0;

  static TargetMapping Document() { return {}; }
  static TargetMapping Window(double zoom, Point scroll) {
    return {zoom, zoom, -int64_t{scroll.x}, -int64_t{scroll.y}};
  }
  static TargetMapping Output(Point origin, double outScaleX, double outScaleY) {
    return {outScaleX, outScaleY, origin.x, origin.y};
  }
  Point Map(Point document) const;
};

// Pixels of a line weight in millimetres at a target scale, never less than round(scale):
// max(round(scale), round(scale * weight * pxPerMmY)).
int32_t PixelWidth(double scale, double weightMm, const ScreenMetrics& screen);

// Ruler read-out of a measure in page units (1 pixels, 2 millimetres, anything else inches):
// "None" below 0.0001, else "12 Pixels", "12 mm", "2.5 Inches", singular at exactly 1.
std::string FormatMeasure(int32_t units, double value);

// The zoom menu's values in percent, in menu order.
inline constexpr std::array<int32_t, 9> kZoomMenuPercents = {25,  50,  75,  100, 125,
                                                             150, 175, 200, 300};
// The position in kZoomMenuPercents of the item that carries the check mark at this zoom, or -1.
int ZoomMenuIndex(double zoom);
// The zoom after the "Zoom out" and "Zoom in" buttons.
double ZoomOutStep(double zoom);
double ZoomInStep(double zoom);

}  // namespace quillon
