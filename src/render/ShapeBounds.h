// SPDX-License-Identifier: GPL-3.0-or-later
// Defining points and bounding boxes kept in step with an item's geometry.
#pragma once

#include "document/ItemRecord.h"
#include "render/GeometryContext.h"

namespace quillon {

// Sets x1, y1 to the box's top-left and x2, y2 to its bottom-right corner, and from them the
// bounds, boundWidth, boundHeight, diagonal and the real coordinates.
void SetDefiningBox(ItemRecord& item, const BoundingBox& box, const ScreenMetrics& screen);

// The bounds of a point-list shape after it was created or edited: the box of its outline
// (by kind) grown by max(penWidth, half the handle width, half the handle height).
void RecomputeBounds(ItemRecord& item, const GeometryContext& context);

// The bounds of a circle, ellipse, polygon, star, pie or arc just created by clicks, without a
// margin: circles, polygons and arcs the centre plus or minus the radius, stars the larger of
// their radii, ellipses the larger semi-axis; pies the sampled arc's box grown by
// max(PixelWidth(1, lineWeight), half the handle size). Other kinds get RecomputeBounds.
void NewShapeBounds(ItemRecord& item, const GeometryContext& context);

// The bounds of any item after a transform: point-list shapes by RecomputeBounds, texts by
// their text block, lines and pictures by their two defining points (round pictures the circle
// about (x1, y1)); angle follows the defining points except for point-list shapes.
void BoundsAfterTransform(ItemRecord& item, const GeometryContext& context);

}  // namespace quillon
