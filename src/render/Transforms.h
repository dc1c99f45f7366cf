// SPDX-License-Identifier: GPL-3.0-or-later
// Item transforms: moving, turning, mirroring and constraining. Continuous transforms work
// from the snapshot taken when the drag began, so repeated steps never accumulate error.
#pragma once

#include <cstdint>
#include <vector>

#include "document/ItemList.h"
#include "render/Coordinates.h"
#include "render/GeometryContext.h"

namespace quillon {

// Copies every point and control point into its drag-start copy.
void Snapshot(std::vector<PointEntry>& points);
// Takes the current state as the reference of an edit: the snapshot of the points, the ref
// points from x1 .. y2 and rotationAtDragStart from rotation.
void TakeReference(ItemRecord& item);

// Every point and control point = its snapshot moved by (dx, dy).
void TranslatePoints(std::vector<PointEntry>& points, int32_t dx, int32_t dy);
// The snapshot point turned counter-clockwise by angle radians about pivot.
Point RotatePoint(Point snapshot, Point pivot, double angle);
// Every point and control point turned about pivot from its snapshot.
void RotatePoints(std::vector<PointEntry>& points, Point pivot, double angle);
// Texts and lines: both defining points turned from the ref points; a text's angle follows.
void RotateSegment(ItemRecord& item, Point pivot, double angle);
// Pictures: the box's centre turned about pivot from the ref box, the box itself not turned;
// rotation = angle + rotationAtDragStart.
void OrbitBox(ItemRecord& item, Point pivot, double angle);
// Mirrors (left to right) and/or flips (top to bottom) the snapshot about pivot, then takes a
// new snapshot. Pies and arcs exchange start and end so that they keep their sweep.
void MirrorPoints(std::vector<PointEntry>& points, Point pivot, int32_t kind, bool flip,
                  bool mirror);

// The reference centre of a pie or arc: on the bisector of its sweep at the radius (arc) or
// two thirds of it (pie).
Point ArcCentre(Point centre, Point start, Point end, bool pie);
Point ArcCentre(const ItemRecord& pieOrArc);
// The item's centre as its handle 7 shows it and rotations turn about it, after mapping its
// points: triangle centroid, box centre, polygon or star centre entry, mean point of splines
// and curves, circle and ellipse centre, ArcCentre of pies and arcs, midpoint of texts, lines
// and pictures (round pictures (x1, y1)), a group frame's (x1, y1).
Point ItemCentre(const ItemRecord& item, const TargetMapping& mapping = TargetMapping::Document());
// The mean of all outline points of a point-list shape, rounded.
Point MeanPoint(const std::vector<PointEntry>& points);

// The mirror, flip and quarter-turn (-1, 0, +1) commands on every selected item of the list;
// the caller has opened the edit (BeginEdit) so that the selected records are the new versions.
void QuarterTurnAndMirror(ItemList& list, bool mirror, bool flip, int turn,
                          const GeometryContext& context);

// Moves a pie's or arc's centre to newCentre keeping the chord between start and end; false
// (nothing changed) when the chord cannot fit.
bool MoveArcCentre(ItemRecord& pieOrArc, Point newCentre, const GeometryContext& context);

// Ends a drag that changed a picture's box: scale factors, normalised box and bounds.
void FinishPictureResize(ItemRecord& picture, const GeometryContext& context);

// Moves m onto the line through base at the given direction in degrees (negative: none).
Point ConstrainToDirection(Point base, Point moving, double degrees);
// The point at distance t from p in the direction in degrees; -1 leaves p.
Point MoveAlong(Point p, double degrees, double t);

// While points are dragged with snapping on: each coordinate moves onto the nearest live grid
// line of the document's anchors record when it is closer than 7 % of the grid distance.
void SnapPoints(const ItemList& list, std::vector<PointEntry>& points);

// A clicked position (document pixels) moved onto the nearest live grid line in each direction
// whose snapping is on, however far that line is; unchanged without a page or anchors record.
Point SnapToGrid(const ItemList& list, Point document);

}  // namespace quillon
