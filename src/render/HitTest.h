// SPDX-License-Identifier: GPL-3.0-or-later
// Hit testing: how far a point is from an item's outline, which item a click picks, and which
// items an area selection takes. Distances are in document pixels.
#pragma once

#include <cstdint>
#include <optional>

#include "document/ItemList.h"
#include "render/GeometryContext.h"

namespace quillon {

inline constexpr int32_t kNoArcDistance = 2147483647;

// The rounded distance from d to the foot of the perpendicular on line ab, when that foot
// lies between a and b.
std::optional<int32_t> SegmentDistance(Point a, Point b, Point d);

// Distance from d to the ellipse about c with axis end p and side point q (a circle when the
// two rounded half axes agree; a segment when the side point lies on the axis).
int32_t EllipseDistance(Point c, Point p, Point d, Point q);
// The nearest of the arc's inner samples and, for a pie (kind 1001000), its two radii;
// kNoArcDistance when there is none.
int32_t ArcDistance(int32_t kind, Point c, Point s, Point e, Point d);
// The cubic segment from entry p to entry q approximated by one straight piece between its
// two control points pulled towards the chord, and its two end points.
int32_t CurveSegmentDistance(const PointEntry& p, const PointEntry& q, Point d);

// How far d is from the item's outline, less half its line width; none for kinds that cannot be
// picked or when no part of the outline is in reach.
std::optional<int32_t> OutlineDistance(const ItemRecord& item, Point d,
                                       const GeometryContext& context);

// The item a click at document point d picks: the nearest outline within the tolerance, the
// higher in the stack on a tie; null when none.
ItemRecord* ChoosePickedItem(const ItemList& list, Point d, const GeometryContext& context);
// The item a click that picks no outline takes instead: the topmost visible picture, or shape
// with a fill, whose inside holds document point d; null when none.
ItemRecord* ChooseItemUnder(const ItemList& list, Point d);
// Selects (or with add, toggles) the picked item and applies the group rule. Without add and
// without a picked item everything is deselected. The canvas removes the handles of items that
// lose their selection.
void ApplyPick(ItemList& list, ItemRecord* picked, bool add);
// Selects or deselects every other visible item of the item's group.
void SelectGroupMates(ItemList& list, const ItemRecord& item, bool select);
// ChoosePickedItem at the click (window pixels) converted with the zoom and scroll, then
// ApplyPick; returns the picked item.
ItemRecord* PickItem(ItemList& list, Point click, Point scroll, bool add,
                     const GeometryContext& context);

// Whether an area selection of the box (document pixels, edges included) takes the item: its
// bounds lie inside, or in partial mode its outline crosses one of the box's edges.
bool InArea(const BoundingBox& area, const ItemRecord& item, bool partial,
            const GeometryContext& context);

}  // namespace quillon
