// SPDX-License-Identifier: GPL-3.0-or-later
// Typed geometry of the selection: its box (left, top, width, height) in the document's unit and
// its angle in degrees, read for the side panel's "Position and size" row, and the apply
// operation that moves, resizes or turns the selection to a typed value as one undo step.
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

#include "document/EditObserver.h"
#include "document/ItemList.h"
#include "render/GeometryContext.h"

namespace quillon {

enum class PlaceField { X, Y, Width, Height, Angle };

// The selection's box in document pixels: the union of the selected items' own outlines (texts
// their text block, shapes their outline without the handle margin; group frames add nothing),
// and its angle in degrees in [0, 360): the angle of a sole item or group (a text's or picture's
// turn, a line's direction, a shape's first side or axis), 0 for a selection of several items
// or for splines and curves, whose typed angle then turns the selection by that much.
struct SelectionPlace {
  BoundingBox box;
  double angle = 0;
};
std::optional<SelectionPlace> SelectionPlaceOf(const ItemList& list,
                                               const GeometryContext& context);

// The document's unit (the page record's pageUnits; pixels without a page record) and its
// document pixels per unit on each axis.
struct PlaceUnits {
  int32_t units = 1;
  double perUnitX = 1.0;
  double perUnitY = 1.0;
};
PlaceUnits PlaceUnitsOf(const ItemList& list);

// A field's value as the row shows it: document pixels turned into the unit, as the shortest
// decimal (pixels whole, millimetres to at most 0.01, inches to at most 0.001) that reads back to
// the same pixel; the angle in degrees to 0.1. Formatted with a point.
double FieldValue(const SelectionPlace& place, PlaceField field, const PlaceUnits& units);
QString FormatFieldValue(PlaceField field, double value, int32_t units);

// A typed field read with the page sizes' parser (commas as points, inches also as "3 1/2"):
// the value, or a sentence saying what is wrong (letters, an empty field, a size of 0 or less,
// a position or size that lies beyond the largest drawing at pixelsPerUnit).
struct PlaceInput {
  std::optional<double> value;
  QString problem;
};
PlaceInput ParsePlaceField(PlaceField field, QStringView text, int32_t units,
                           double pixelsPerUnit = 1);

// Sets one field of the selection as one edit step: X and Y move every selected item so that
// the box's left or top edge lies there; width and height scale the selection about the box's
// top-left corner (texts' font sizes follow the typed dimension in whole points; a square or circle
// stretched unevenly becomes a rectangle or ellipse; polygons, stars, pies and arcs keep their
// proportions); the angle turns the selection about the box's centre by the difference to the
// angle shown. Values are in the unit (degrees for the angle). Nothing is recorded when nothing
// is selected or the value equals the one shown; returns whether a step was made.
bool ApplyPlace(ItemList& list, EditObserver& observer, PlaceField field, double value,
                const GeometryContext& context);

}  // namespace quillon
