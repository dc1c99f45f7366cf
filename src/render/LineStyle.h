// SPDX-License-Identifier: GPL-3.0-or-later
// Line geometry: dash patterns in pixels, the band of one dash with its edge strips, and the
// walk that cuts a line into dashes. Painting them is the rasterizer's job.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "document/ItemList.h"
#include "render/GeometryContext.h"

namespace quillon {

// A point with real coordinates.
struct PointF {
  double x = 0;
  double y = 0;
};

// Four corners of a band or strip, in drawing order.
using Quad = std::array<Point, 4>;

inline constexpr int32_t kSolidDashLength = 2147483647;

// Built-in pattern numbers (linePattern); other positive numbers draw solid, negative numbers
// name a custom pattern record of the document.
inline constexpr int32_t kPatternSolid = 0;
inline constexpr int32_t kPatternDot = 1;
inline constexpr int32_t kPatternDash = 2;
inline constexpr int32_t kPatternCenter = 3;
inline constexpr int32_t kPatternPhantom = 4;

// A dash pattern: count lengths alternating dash, gap, dash, ... in millimetres (custom
// patterns only) and in target pixels.
struct DashPattern {
  int32_t count = 1;
  std::array<double, kPatternSegments> millimetres{};
  std::array<int32_t, kPatternSegments> pixels{kSolidDashLength};
};

// A built-in pattern (numbers outside 0..4 give Solid) for a line of this weight at this scale.
DashPattern BuiltInPattern(int32_t number, double weightMm, double scale,
                           const ScreenMetrics& screen);
// The pattern of a line item at a target scale: built in, or the document's custom pattern
// record of class 3 whose kind is the line's pattern number; Solid when there is none.
DashPattern BuildPattern(const ItemList& list, const ItemRecord& line, double scale);

// The band of one dash from s to e, width w, direction theta; one-sided bands lie wholly on
// the side of theta + 90 degrees.
Quad DashBand(PointF s, PointF e, double w, double theta, bool oneSided);
// The strip of width o along side 1 (c0-c1), 2 (c1-c2), 3 (c2-c3) or 4 (c3-c0) of a band.
Quad EdgeStrip(const Quad& band, int side, double o, double theta);

struct StepResult {
  Point point;
  bool done = false;  // the step reached or passed the end; point is the end
};
// The point at distance t along theta from start, or end (done) when it is at least as far
// from start as end is.
StepResult StepAlong(Point start, double t, double theta, Point end);

// How the band of a line is filled: edge strips of edgeWidth pixels (0 = none) and the band's
// colour (none = clear).
struct LineBand {
  int32_t edgeWidth = 0;
  std::optional<int32_t> bandColor;
};
// W and O in target pixels: the band width and the outline width.
LineBand LineBandOf(const ItemRecord& line, int32_t w, int32_t o, const ScreenMetrics& screen);

struct Dash {
  Point start;
  Point end;
  Quad band;  // DashBand of width w
};
// Walks the pattern from p1 towards p2 along theta and fills dashes (cleared, capacity kept)
// with every dash whose band can meet `visible` (target pixels). Dashes before the visible part
// are skipped a whole pattern at a time, so a long line costs only what it shows.
void WalkDashes(Point p1, Point p2, double theta, int32_t w, const DashPattern& pattern,
                const BoundingBox& visible, std::vector<Dash>& dashes);

}  // namespace quillon
