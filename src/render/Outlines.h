// SPDX-License-Identifier: GPL-3.0-or-later
// Shape outlines: the defining points a shape is built from, and the outline (polygon,
// polyline, cubic Bezier chain or circle) generated from them in target pixels.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "document/ItemRecord.h"
#include "render/Coordinates.h"
#include "render/GeometryContext.h"

namespace quillon {

// Polygons and stars are drawn only with 3 to this many sides or spikes.
inline constexpr int32_t kMaxSides = 1024000;
// Half of 4/3 (sqrt(2) - 1): the handle length of the ellipse's Bezier chain.
inline constexpr double kEllipseHandleFactor = 0.27614237;

constexpr bool ValidSides(int32_t sides) {
  return sides >= 3 && sides <= kMaxSides;
}

struct Projection {
  Point foot;
  bool between = false;  // the foot lies between a and b on every axis where they differ
};
// The foot of the perpendicular from p on the line through a and b.
Projection ProjectOntoLine(Point a, Point b, Point p);

// Constructions from the user's clicks. Each replaces the list with fresh entries whose
// drag-start point equals the point.
// A, B, then the square's other two corners on the counter-clockwise side of AB.
void SquareFromSide(Point a, Point b, std::vector<PointEntry>& points);
// A, B, C (the cursor moved onto the perpendicular through B), D.
void RectangleFromSide(Point a, Point b, Point cursor, std::vector<PointEntry>& points);
// Centre, rim point P, P turned a quarter, and the centre moved the same way.
void CircleFromClicks(Point centre, Point rim, std::vector<PointEntry>& points);
// Centre, axis end P and side point Q; P moves 10 pixels down when it equals the centre, so that
// the ellipse keeps a direction.
void EllipseFromClicks(Point centre, Point axisEnd, Point side, std::vector<PointEntry>& points);
// Centre, P, then the n vertices at P's radius; only centre and P when n is out of range.
// Returns whether the vertices were made.
bool PolygonVertices(Point centre, Point p, int32_t n, std::vector<PointEntry>& points);
// Centre, tip T, then 2n vertices alternating the inner radius (|centre, inner|) and the
// tip's; centre, T and the inner point when n is out of range. Returns whether they were made.
bool StarVertices(Point centre, Point inner, int32_t n, Point tip, std::vector<PointEntry>& points);
// Centre, start S and the end on S's circle in the direction of the third click.
void ArcFromClicks(Point centre, Point start, Point third, std::vector<PointEntry>& points);

// The angles at which ArcPoints samples the arc from s counter-clockwise to e about c.
struct ArcSamples {
  ArcSamples(Point c, Point s, Point e);
  double start = 0;   // AngleOf(c, s)
  double end = 0;     // AngleOf(c, e), plus 2 pi when below start
  double sweep = 0;   // end - start
  int32_t count = 2;  // round(sweep / (pi / 200)), at least 2
  // Sample j of 0 .. count - 1; ArcPoints uses 1 .. count - 2 between its two ends.
  double AngleAt(int32_t j) const { return start + j * sweep / (count - 1); }
};

// The sampled arc from s counter-clockwise to the direction of e at the radius |c, s|
// (an open polyline; points equal to their predecessor are left out). Fills out.
void ArcPoints(Point c, Point s, Point e, std::vector<Point>& out);

struct EllipseChain {
  std::array<Point, 13> points;  // four cubic segments, starting and ending at the same point
  BoundingBox box;
};
// The ellipse about centre c with axis end p and side point q, turned to p's direction.
EllipseChain EllipseBezier(Point c, Point p, Point q);

enum class OutlineForm { None, Polygon, Polyline, Bezier, Circle };

struct Outline {
  OutlineForm form = OutlineForm::None;
  // A closed region the renderer may fill: polygons, circles, ellipses, solid curves.
  bool fillable = false;
  // Polygon or polyline vertices, or a Bezier chain: its start, then three points a segment.
  std::vector<Point> points;
  Point centre;  // circles
  int32_t radius = 0;
};
// The outline of a point-list shape in target pixels; the defining points are mapped first and
// the construction is done in target pixels. Reuses out's storage.
void BuildOutline(const ItemRecord& item, const TargetMapping& mapping, Outline& out);

}  // namespace quillon
